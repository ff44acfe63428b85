#include "mainwindow/PictureName.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureFileName, KeepsAsciiLettersDigitsAndHyphens) {
    struct Case {
        QString name;
        QString publisher;
        QString file;
    } cases[] = {
        {"Space & Time", "Acme Soft", "SpacenTime-AcmeSoft.bmp"},
        {"Rock&Roll", "A&B", "RocknRoll-AnB.bmp"},
        {"X-Ray", "Pro-Soft", "X-Ray-Pro-Soft.bmp"},
        {"Lunar Docks, The", "Yes! Software", "LunarDocksThe-YesSoftware.bmp"},
        {"(1984): Level 2.5!", "Acornsoft", "1984Level25-Acornsoft.bmp"},
        // Letter case stays as catalogued.
        {"eLiTe", "ACORNSOFT", "eLiTe-ACORNSOFT.bmp"},
        // Names made of dropped characters leave the hyphen at the edge.
        {"...", "Acornsoft", "-Acornsoft.bmp"},
        {"Zap", "", "Zap-.bmp"},
        {"", "", "-.bmp"},
        // Accented letters and other non-ASCII characters are dropped.
        {QStringLiteral("\u00C9lan \u00FC"), QStringLiteral("S\u00F6ft"), "lan-Sft.bmp"},
        {"Slash/Back\\Under_score", "[x]", "SlashBackUnderscore-x.bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureFileName(c.name, c.publisher), c.file) << c.name.toStdString();
}

TEST(PictureFileName, GamesDifferingOnlyInDroppedCharactersShareAPicture) {
    EXPECT_EQ(PictureFileName("Star Raid", "Acme Soft"), PictureFileName("Star.Raid!", "Acme, Soft"));
    EXPECT_NE(PictureFileName("Star-Raid", "Acme"), PictureFileName("StarRaid", "Acme"));
}

}  // namespace
