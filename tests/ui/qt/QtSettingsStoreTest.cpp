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
    // Values live in the application's own file under section and key, where
    // other tools and earlier versions read them. Paths are kept as text in
    // the code page's characters, so the file reads well in an editor, and
    // every byte comes back as it was stored.
    void valuesKeepTheirBytesInTheApplicationsOwnFile() {
        QTemporaryDir home;
        // The user's configuration folder, moved out of the user's reach.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
        QtSettingsStore store;
        QVERIFY(store.get("KESTRIX", "UTPath", "Path").empty());
        store.save("KESTRIX", "UTPath", "Path", "Z:\\home\\me\\Unreal Tournament");
        store.save("KESTRIX", "UMODPath", "Path", "D:\\Mods");
        QVERIFY(store.get("KESTRIX", "UTPath", "Other").empty());
        const QString file = home.filePath("KESTRIX/KESTRIX.ini");
        QCOMPARE(QtSettingsStore::userLocation("KESTRIX"), file);
        QSettings raw(file, QSettings::IniFormat);
        QCOMPARE(raw.value("UTPath/Path").toString(), QString("Z:\\home\\me\\Unreal Tournament"));
        QCOMPARE(raw.value("UMODPath/Path").toString(), QString("D:\\Mods"));

        std::string everyByte;
        for (int byte = 1; byte < 256; ++byte) {
            everyByte.push_back(static_cast<char>(byte));
        }
        store.save("KESTRIX", "UTPath", "Path", everyByte);
        QCOMPARE(QtSettingsStore().get("KESTRIX", "UTPath", "Path"), everyByte);
        if (CodePage::system().number() == 1252) {
            store.save("KESTRIX", "UMODPath", "Path", "Z:\\M\xE9\x80");
            raw.sync();
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
