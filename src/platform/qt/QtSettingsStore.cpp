#include "platform/qt/QtSettingsStore.h"

#include <QSettings>
#include <memory>

namespace kestrix {
namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::unique_ptr<QSettings> openStore(const QString& iniFile, const std::string& application) {
    if (!iniFile.isEmpty()) {
        return std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    }
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\" + qt(application),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, qt(application),
                                       qt(application));
#endif
}

QString entry(const std::string& section, const std::string& key) {
    return qt(section) + "/" + qt(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(const QString& iniFile) : m_iniFile(iniFile) {}

std::string QtSettingsStore::get(const std::string& application, const std::string& section,
                                 const std::string& key) const {
    return openStore(m_iniFile, application)->value(entry(section, key)).toString().toStdString();
}

void QtSettingsStore::save(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) {
    auto store = openStore(m_iniFile, application);
    store->setValue(entry(section, key), qt(value));
    // Written at the click that changes it: the program may end right after.
    store->sync();
}

QString QtSettingsStore::userLocation(const std::string& application) {
    return openStore({}, application)->fileName();
}

}  // namespace kestrix
