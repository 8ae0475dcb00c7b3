// The embedded pictures are the committed files, and the committed files are exactly
// what tools/assets draws now.

#include "assets/assets.h"
#include "tests/assets/asset_bytes.h"

#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace {

namespace assets = sumbrook::assets;
using namespace sumbrook::assets_test;

const std::array<const char*, 12> kGeneratedFiles = {
    "about.jpg",
    "about@2x.jpg",
    "sumbrook.ico",
    "window.ico",
    "hand.cur",
    "hicolor/16x16/apps/sumbrook.png",
    "hicolor/24x24/apps/sumbrook.png",
    "hicolor/32x32/apps/sumbrook.png",
    "hicolor/48x48/apps/sumbrook.png",
    "hicolor/64x64/apps/sumbrook.png",
    "hicolor/128x128/apps/sumbrook.png",
    "hicolor/256x256/apps/sumbrook.png",
};

TEST(EmbeddedResources, AreTheCommittedFiles) {
    ASSERT_TRUE(assets::ensureResources());
    const std::array<std::pair<const char*, const char*>, 5> embedded = {{
        {assets::kAboutPicture, "about.jpg"},
        {assets::kAboutPicture2x, "about@2x.jpg"},
        {assets::kIcon, "sumbrook.ico"},
        {assets::kWindowIcon, "window.ico"},
        {assets::kHandCursor, "hand.cur"},
    }};
    for (const auto& [path, name] : embedded) {
        const QByteArray bytes = resource(path);
        EXPECT_FALSE(bytes.isEmpty()) << path;
        EXPECT_EQ(bytes, readAll(sourceAsset(QString::fromLatin1(name)))) << path;
    }
}

// Whoever changes the drawings must also regenerate; otherwise the program
// would keep shipping the old pictures.
TEST(Generator, RecreatesTheCommittedFilesExactly) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    generator.start(QStringLiteral(SUMBROOK_MAKE_ASSETS), {out.path()});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0);
    for (const char* name : kGeneratedFiles) {
        const QString file = QString::fromLatin1(name);
        const QByteArray made = readAll(QDir(out.path()).filePath(file));
        EXPECT_FALSE(made.isEmpty()) << name;
        EXPECT_TRUE(made == readAll(sourceAsset(file)))
            << name << " differs from what tools/assets draws now: build the "
            << "regenerate_assets target and commit the result";
    }
}

} // namespace
