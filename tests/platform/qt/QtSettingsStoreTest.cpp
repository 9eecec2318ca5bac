#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "platform/qt/QtSettingsStore.h"

using namespace kestrix;

class QtSettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void valuesRoundTripAndLiveUnderSectionAndKey() {
        QTemporaryDir dir;
        const QString file = dir.filePath("store.ini");
        {
            QtSettingsStore store(file);
            QVERIFY(store.get("KESTRIX", "UTPath", "Path").empty());
            store.save("KESTRIX", "UTPath", "Path", "Z:\\home\\me\\Unreal Tournament");
            store.save("KESTRIX", "UMODPath", "Path", "D:\\Mods");
        }
        QtSettingsStore reopened(file);
        QCOMPARE(reopened.get("KESTRIX", "UTPath", "Path"),
                 std::string("Z:\\home\\me\\Unreal Tournament"));
        QCOMPARE(reopened.get("KESTRIX", "UMODPath", "Path"), std::string("D:\\Mods"));
        QVERIFY(reopened.get("KESTRIX", "UTPath", "Other").empty());

        // Other tools and earlier versions read the same section and key.
        QSettings raw(file, QSettings::IniFormat);
        QCOMPARE(raw.value("UTPath/Path").toString(), QString("Z:\\home\\me\\Unreal Tournament"));
    }

    void userStoreIsAnIniFileNamedAfterTheApplication() {
#ifndef Q_OS_WIN
        const QString location = QtSettingsStore::userLocation("KESTRIX");
        QVERIFY2(location.endsWith("/KESTRIX/KESTRIX.ini"), qPrintable(location));
#endif
    }
};

QTEST_MAIN(QtSettingsStoreTest)
#include "QtSettingsStoreTest.moc"
