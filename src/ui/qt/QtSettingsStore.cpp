#include "ui/qt/QtSettingsStore.h"

#include <QSettings>
#include <memory>

#include "ui/qt/SystemText.h"

namespace kestrix {
namespace {

std::unique_ptr<QSettings> openStore(const std::string& application) {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       toQt(application), toQt(application));
}

QString entry(const std::string& section, const std::string& key) {
    return toQt(section) + "/" + toQt(key);
}

}  // namespace

std::string QtSettingsStore::get(const std::string& application, const std::string& section,
                                 const std::string& key) const {
    // A value stored by this program always converts back to its own bytes;
    // one edited to hold what the code page cannot write names no path.
    return fromQt(openStore(application)->value(entry(section, key)).toString()).value_or("");
}

void QtSettingsStore::save(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) {
    auto store = openStore(application);
    store->setValue(entry(section, key), toQt(value));
    // Written at the click that changes it: the program may end right after.
    store->sync();
}

QString QtSettingsStore::userLocation(const std::string& application) {
    return openStore(application)->fileName();
}

}  // namespace kestrix
