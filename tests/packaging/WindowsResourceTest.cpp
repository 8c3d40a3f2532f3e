// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows executable's resources, compiled with the MinGW resource compiler and read
// back: the icon group and its image, every field of the version record and the settings
// of the application manifest.
//   OMVAR_RESOURCE_SCRIPT  the generated omvar.rc
//   OMVAR_ICON_FILE        assets/omvar.ico, whose image the resource carries
#include "VersionResource.h"
#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

using namespace VersionResource;

namespace {

constexpr int IconImageType = 3;
constexpr int IconGroupType = 14;
constexpr int VersionType = 16;
constexpr int ManifestType = 24;
constexpr quint32 FixedInfoSignature = 0xFEEF04BD;

quint16 word(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 dword(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

class WindowsResourceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_windres = QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-windres"));
        if (m_windres.isEmpty()) {
            QSKIP("x86_64-w64-mingw32-windres not found: install mingw-w64 to check the Windows "
                  "resources");
        }
        QVERIFY(m_dir.isValid());
        const QString res = m_dir.filePath(QStringLiteral("omvar.res"));
        QCOMPARE(windres({QStringLiteral("-O"), QStringLiteral("res"),
                          QStringLiteral(OMVAR_RESOURCE_SCRIPT), res}),
                 0);
        std::optional<std::vector<Resource>> resources = readResources(readFile(res));
        QVERIFY2(resources, "the compiled resources do not parse");
        m_resources = std::move(*resources);
    }

    // The object file is what the build links into the executable.
    void theScriptCompilesToAnObjectFile() {
        QCOMPARE(windres({QStringLiteral("-O"), QStringLiteral("coff"),
                          QStringLiteral(OMVAR_RESOURCE_SCRIPT),
                          m_dir.filePath(QStringLiteral("omvar.o"))}),
                 0);
    }

    void theExecutableCarriesAnIconGroupAVersionRecordAndAManifest() {
        QList<QPair<int, int>> found;
        for (const Resource& resource : m_resources) {
            found.append({resource.type, resource.id});
        }
        std::sort(found.begin(), found.end());
        const QList<QPair<int, int>> wanted{
            {IconImageType, 30001}, {IconGroupType, 1}, {VersionType, 1}, {ManifestType, 1}};
        QCOMPARE(found, wanted);
    }

    void theIconGroupNamesOne32By32SixteenColourImage() {
        const QByteArray group = resource(IconGroupType, 1);
        QCOMPARE(group.size(), 6 + 14);
        QCOMPARE(word(group, 0), quint16(0));     // reserved
        QCOMPARE(word(group, 2), quint16(1));     // icons, not cursors
        QCOMPARE(word(group, 4), quint16(1));     // images
        QCOMPARE(quint8(group[6]), quint8(32));   // width
        QCOMPARE(quint8(group[7]), quint8(32));   // height
        QCOMPARE(quint8(group[8]), quint8(16));   // colours
        QCOMPARE(word(group, 10), quint16(1));    // planes
        QCOMPARE(word(group, 12), quint16(4));    // bits per pixel
        QCOMPARE(dword(group, 14), quint32(744)); // image bytes
        QCOMPARE(word(group, 18), quint16(30001));
    }

    // The image is the one of the program's icon file, byte for byte.
    void theIconImageIsTheProgramIcon() {
        const QByteArray image = resource(IconImageType, 30001);
        QCOMPARE(image.size(), 744);
        QCOMPARE(dword(image, 0), quint32(40)); // BITMAPINFOHEADER
        QCOMPARE(qint32(dword(image, 4)), 32);
        QCOMPARE(qint32(dword(image, 8)), 64); // the colours and the mask, one above the other
        QCOMPARE(word(image, 14), quint16(4));
        const QByteArray icon = readFile(QStringLiteral(OMVAR_ICON_FILE));
        QVERIFY(icon.size() >= 22);
        QCOMPARE(icon.mid(int(dword(icon, 18)), int(dword(icon, 14))), image);
    }

    void theVersionRecordsFixedPart() {
        const std::optional<Block> root = versionInfo();
        QVERIFY(root);
        QCOMPARE(root->key, QStringLiteral("VS_VERSION_INFO"));
        const QByteArray fixed = root->bytes;
        QCOMPARE(fixed.size(), 52);
        QCOMPARE(dword(fixed, 0), FixedInfoSignature);
        QCOMPARE(dword(fixed, 8), quint32(0x00020000));  // file version 2.0
        QCOMPARE(dword(fixed, 12), quint32(0));          // .0.0
        QCOMPARE(dword(fixed, 16), quint32(0x00020000)); // product version 2.0
        QCOMPARE(dword(fixed, 20), quint32(0));          // .0.0
        QCOMPARE(dword(fixed, 24), quint32(0x3F));       // flags mask
        QCOMPARE(dword(fixed, 28), quint32(0));          // no flags
        QCOMPARE(dword(fixed, 32), quint32(0x4));        // VOS__WINDOWS32
        QCOMPARE(dword(fixed, 36), quint32(0x1));        // VFT_APP
    }

    void theVersionRecordsStrings_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("product name")
            << QStringLiteral("ProductName") << QStringLiteral("Omvar  v2.0");
        QTest::newRow("file version") << QStringLiteral("FileVersion") << QStringLiteral("2.00");
        QTest::newRow("product version")
            << QStringLiteral("ProductVersion") << QStringLiteral("2.00");
        QTest::newRow("internal name")
            << QStringLiteral("InternalName") << QStringLiteral("Omvar  v2.0");
        QTest::newRow("original file name")
            << QStringLiteral("OriginalFilename") << QStringLiteral("Omvar  v2.0.exe");
        QTest::newRow("description")
            << QStringLiteral("FileDescription") << QStringLiteral("Omvar  v2.0");
        QTest::newRow("company") << QStringLiteral("CompanyName") << QStringLiteral("Omvar team");
        QTest::newRow("copyright")
            << QStringLiteral("LegalCopyright") << QStringLiteral("Copyright (C) Omvar team");
    }

    void theVersionRecordsStrings() {
        QFETCH(QString, name);
        QFETCH(QString, value);
        const std::optional<Block> root = versionInfo();
        QVERIFY(root);
        const Block* strings = root->find(QStringLiteral("StringFileInfo/040904B0"));
        QVERIFY2(strings, "no string block 040904B0");
        const Block* field = strings->find(name);
        QVERIFY2(field, qPrintable(name));
        QVERIFY(field->isText);
        QCOMPARE(field->text, value);
    }

    // English (United States), Unicode.
    void theVersionRecordsTranslation() {
        const std::optional<Block> root = versionInfo();
        QVERIFY(root);
        const Block* translation = root->find(QStringLiteral("VarFileInfo/Translation"));
        QVERIFY(translation);
        QCOMPARE(translation->bytes.size(), 4);
        QCOMPARE(word(translation->bytes, 0), quint16(0x0409));
        QCOMPARE(word(translation->bytes, 2), quint16(1200));
    }

    // Windows ignores an element in a namespace it does not expect, so each value is looked
    // up under its element's namespace.
    void theManifestsSettings_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("value");
        const QString v1 = QStringLiteral("urn:schemas-microsoft-com:asm.v1 ");
        const QString v3 = QStringLiteral("urn:schemas-microsoft-com:asm.v3 ");
        QTest::newRow("64-bit") << v1 + "assemblyIdentity@processorArchitecture"
                                << QStringLiteral("amd64");
        QTest::newRow("no elevation")
            << v3 + "requestedExecutionLevel@level" << QStringLiteral("asInvoker");
        QTest::newRow("no UI access")
            << v3 + "requestedExecutionLevel@uiAccess" << QStringLiteral("false");
        QTest::newRow("Windows 10 and 11")
            << QStringLiteral("urn:schemas-microsoft-com:compatibility.v1 supportedOS@Id")
            << QStringLiteral("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}");
        QTest::newRow("per monitor v2")
            << QStringLiteral("http://schemas.microsoft.com/SMI/2016/WindowsSettings dpiAwareness")
            << QStringLiteral("PerMonitorV2");
        QTest::newRow("per monitor, before Windows 10 1607")
            << QStringLiteral("http://schemas.microsoft.com/SMI/2005/WindowsSettings dpiAware")
            << QStringLiteral("true/pm");
    }

    void theManifestsSettings() {
        QFETCH(QString, where);
        QFETCH(QString, value);
        // Every attribute and text, keyed by its element's namespace and name.
        QHash<QString, QStringList> values;
        QStringList open;
        QXmlStreamReader xml(resource(ManifestType, 1));
        while (!xml.atEnd()) {
            switch (xml.readNext()) {
            case QXmlStreamReader::StartElement:
                open.append(xml.namespaceUri().toString() + u' ' + xml.name().toString());
                for (const QXmlStreamAttribute& attribute : xml.attributes()) {
                    values[open.last() + u'@' + attribute.name().toString()].append(
                        attribute.value().toString());
                }
                break;
            case QXmlStreamReader::EndElement:
                open.removeLast();
                break;
            case QXmlStreamReader::Characters:
                if (!xml.isWhitespace()) {
                    values[open.last()].append(xml.text().toString());
                }
                break;
            default:
                break;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(values.value(where), QStringList{value});
    }

private:
    int windres(const QStringList& arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(m_windres, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        return process.exitCode();
    }

    QByteArray resource(int type, int id) const {
        for (const Resource& resource : m_resources) {
            if (resource.type == type && resource.id == id) {
                return resource.data;
            }
        }
        return {};
    }

    std::optional<Block> versionInfo() const { return readVersionInfo(resource(VersionType, 1)); }

    QString m_windres;
    QTemporaryDir m_dir;
    std::vector<Resource> m_resources;
};

static const RegisteredTest<WindowsResourceTest> registered;
#include "WindowsResourceTest.moc"
