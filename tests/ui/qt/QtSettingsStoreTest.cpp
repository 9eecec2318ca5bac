#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "ui/qt/QtSettingsStore.h"

using namespace kestrix;

class QtSettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void valuesLiveInTheApplicationsOwnFileUnderSectionAndKey() {
        QTemporaryDir home;
        // The user's configuration folder, moved out of the user's reach.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
        QtSettingsStore store;
        QVERIFY(store.get("KESTRIX", "UTPath", "Path").empty());
        store.save("KESTRIX", "UTPath", "Path", "Z:\\home\\me\\Unreal Tournament");
        store.save("KESTRIX", "UMODPath", "Path", "D:\\Mods");
        QCOMPARE(QtSettingsStore().get("KESTRIX", "UTPath", "Path"),
                 std::string("Z:\\home\\me\\Unreal Tournament"));
        QVERIFY(store.get("KESTRIX", "UTPath", "Other").empty());
        QVERIFY(store.get("Other", "UTPath", "Path").empty());

        // Other tools and earlier versions read the same file, section and key.
        const QString file = home.filePath("KESTRIX/KESTRIX.ini");
        QCOMPARE(QtSettingsStore::userLocation("KESTRIX"), file);
        QSettings raw(file, QSettings::IniFormat);
        QCOMPARE(raw.value("UTPath/Path").toString(), QString("Z:\\home\\me\\Unreal Tournament"));
        QCOMPARE(raw.value("UMODPath/Path").toString(), QString("D:\\Mods"));
    }
};

QTEST_MAIN(QtSettingsStoreTest)
#include "QtSettingsStoreTest.moc"
