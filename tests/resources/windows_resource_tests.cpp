// The Windows resource scripts, compiled by windres at build time: the icon group, the version
// block, and the numbered bitmaps as native bitmap resources.
#include <gtest/gtest.h>

#include <QFile>
#include <map>
#include <optional>

#include "picture_checks.h"
#include "resources/picture_ids.h"

namespace zentrix::testing {
namespace {

constexpr int kTypeIcon = 3;
constexpr int kTypeBitmap = 2;
constexpr int kTypeGroupIcon = 14;
constexpr int kTypeVersion = 16;

struct Resource {
    int language = 0;
    QByteArray data;
};

// Resources of a compiled .res file by (type, id); only numbered types and names are expected.
using ResourceTable = std::map<std::pair<int, int>, Resource>;

ResourceTable readRes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << fileName.toStdString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    ResourceTable table;
    qsizetype at = 0;
    while (at + 32 <= bytes.size()) {
        const std::uint32_t dataSize = le32(bytes, at);
        const std::uint32_t headerSize = le32(bytes, at + 4);
        // Type and name: 0xFFFF then a number (strings are not used in our scripts).
        EXPECT_EQ(le16(bytes, at + 8), 0xFFFF);
        EXPECT_EQ(le16(bytes, at + 12), 0xFFFF);
        const int type = le16(bytes, at + 10);
        const int id = le16(bytes, at + 14);
        const int language = le16(bytes, at + 22);
        if (type != 0) {  // the file opens with an empty entry
            table[{type, id}] = {language, bytes.mid(at + headerSize, dataSize)};
        }
        at += headerSize + (dataSize + 3) / 4 * 4;
    }
    EXPECT_EQ(at, bytes.size()) << "trailing bytes in " << fileName.toStdString();
    return table;
}

std::optional<QString> resDir() {
#ifdef ZENTRIX_WINDOWS_RES_DIR
    return QStringLiteral(ZENTRIX_WINDOWS_RES_DIR);
#else
    return std::nullopt;
#endif
}

// UTF-16 bytes of `text` with its terminating zero.
QByteArray utf16z(const QString& text) {
    QByteArray out;
    for (QChar c : text) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    out.append(2, '\0');
    return out;
}

// The value of string `key` in a version block: the key, then padding to a 32-bit boundary,
// then the value, both in UTF-16.
QString versionString(const QByteArray& block, const QString& key) {
    const qsizetype keyAt = block.indexOf(utf16z(key));
    if (keyAt < 0) {
        return {};
    }
    qsizetype at = keyAt + utf16z(key).size();
    at = (at + 3) / 4 * 4;
    QString value;
    while (at + 1 < block.size() && le16(block, at) != 0) {
        value.append(QChar(le16(block, at)));
        at += 2;
    }
    return value;
}

// zentrix.rc gives the program icon group 1 with one 32 x 32, 16-colour image of 744 bytes, the
// bytes of zentrix.ico, in U.S. English.
TEST(WindowsResources, HoldTheProgramIcon) {
    const auto dir = resDir();
    if (!dir) {
        GTEST_SKIP() << "windres is not installed";
    }
    const ResourceTable table = readRes(*dir + "/zentrix.res");
    ASSERT_TRUE(table.contains({kTypeGroupIcon, 1}));
    const Resource& group = table.at({kTypeGroupIcon, 1});
    EXPECT_EQ(group.language, 0x0409);
    ASSERT_EQ(group.data.size(), 6 + 14);
    EXPECT_EQ(le16(group.data, 4), 1) << "one image";
    EXPECT_EQ(static_cast<unsigned char>(group.data.at(6)), 32);
    EXPECT_EQ(static_cast<unsigned char>(group.data.at(8)), 16);
    EXPECT_EQ(le16(group.data, 12), 4);
    EXPECT_EQ(le32(group.data, 14), 744u);
    const int imageId = le16(group.data, 18);
    ASSERT_TRUE(table.contains({kTypeIcon, imageId}));
    EXPECT_EQ(table.at({kTypeIcon, imageId}).data, sourceFileBytes("zentrix.ico").mid(22));
}

// zentrix.rc's version block: 1.0.0.0, a 32-bit Windows application, and the five strings of the
// U.S. English, Unicode table.
TEST(WindowsResources, HoldTheVersionBlock) {
    const auto dir = resDir();
    if (!dir) {
        GTEST_SKIP() << "windres is not installed";
    }
    const ResourceTable table = readRes(*dir + "/zentrix.res");
    ASSERT_TRUE(table.contains({kTypeVersion, 1}));
    const Resource& version = table.at({kTypeVersion, 1});
    EXPECT_EQ(version.language, 0x0409);
    const QByteArray& block = version.data;

    const qsizetype fixed = block.indexOf(QByteArray("\xBD\x04\xEF\xFE", 4));
    ASSERT_GE(fixed, 0);
    EXPECT_EQ(le32(block, fixed + 8), 0x00010000u) << "file version 1.0";
    EXPECT_EQ(le32(block, fixed + 12), 0u) << "file version .0.0";
    EXPECT_EQ(le32(block, fixed + 16), 0x00010000u) << "product version 1.0";
    EXPECT_EQ(le32(block, fixed + 20), 0u);
    EXPECT_EQ(le32(block, fixed + 32), 0x4u) << "32-bit Windows";
    EXPECT_EQ(le32(block, fixed + 36), 0x1u) << "application";

    EXPECT_GE(block.indexOf(utf16z("040904B0")), 0);
    EXPECT_EQ(versionString(block, "FileVersion"), "1.00");
    EXPECT_EQ(versionString(block, "ProductVersion"), "1.00");
    EXPECT_EQ(versionString(block, "ProductName"), "Pellary");
    EXPECT_EQ(versionString(block, "InternalName"), "Zentrix");
    EXPECT_EQ(versionString(block, "OriginalFilename"), "Zentrix.exe");
    // Translation: language 0409, code page 04B0.
    const qsizetype translation = block.indexOf(utf16z("Translation"));
    ASSERT_GE(translation, 0);
    const qsizetype value = (translation + utf16z("Translation").size() + 3) / 4 * 4;
    EXPECT_EQ(le16(block, value), 0x0409);
    EXPECT_EQ(le16(block, value + 2), 0x04B0);
}

// bitmaps.rc gives every numbered bitmap as a native bitmap resource of that number: the DIB
// of its file, 43244, 11708 or 30044 bytes.
TEST(WindowsResources, HoldTheNumberedBitmaps) {
    const auto dir = resDir();
    if (!dir) {
        GTEST_SKIP() << "windres is not installed";
    }
    const ResourceTable table = readRes(*dir + "/bitmaps.res");
    EXPECT_EQ(table.size(), kNumberedBitmaps.size());
    for (int number : kNumberedBitmaps) {
        SCOPED_TRACE(number);
        ASSERT_TRUE(table.contains({kTypeBitmap, number}));
        const Resource& bitmap = table.at({kTypeBitmap, number});
        const qsizetype expected = number <= 10 ? 43244 : number == 601 ? 30044 : 11708;
        EXPECT_EQ(bitmap.data.size(), expected);
        EXPECT_EQ(bitmap.data,
                  resourceBytes(QString::fromStdString(pictures::bitmapPath(number))).mid(14));
        EXPECT_EQ(bitmap.language, 0x0409);
    }
}

}  // namespace
}  // namespace zentrix::testing
