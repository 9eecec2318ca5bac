#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "platform/CodePage.h"
#include "ui/qt/QtSettingsStore.h"
#include "ui/qt/SystemText.h"

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

    // Paths are kept as text in the code page's characters, so the file reads
    // well in an editor, and every byte comes back as it was stored.
    void valuesKeepTheirBytesAndAreStoredAsText() {
        QTemporaryDir home;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
        std::string everyByte;
        for (int byte = 1; byte < 256; ++byte) {
            everyByte.push_back(static_cast<char>(byte));
        }
        QCOMPARE(fromQt(toQt(everyByte)), std::optional<std::string>(everyByte));
        QtSettingsStore store;
        store.save("KESTRIX", "UTPath", "Path", everyByte);
        QCOMPARE(QtSettingsStore().get("KESTRIX", "UTPath", "Path"), everyByte);

        if (CodePage::system().number() == 1252) {
            store.save("KESTRIX", "UMODPath", "Path", "Z:\\M\xE9\x80");
            QSettings raw(QtSettingsStore::userLocation("KESTRIX"), QSettings::IniFormat);
            QCOMPARE(raw.value("UMODPath/Path").toString(), QString::fromUtf8("Z:\\M\u00e9\u20ac"));
            // A value edited to hold what the code page lacks names no path.
            raw.setValue("UMODPath/Path", QString::fromUtf8("Z:\\\u0416"));
            raw.sync();
            QVERIFY(store.get("KESTRIX", "UMODPath", "Path").empty());
        }
    }
};

QTEST_MAIN(QtSettingsStoreTest)
#include "QtSettingsStoreTest.moc"
