#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

using namespace glypharo;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The file's lines without the empty ones, which the writer lays out its own
// way; every other byte must survive.
std::string withoutBlankLines(const std::string& text)
{
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(start, end - start);
        if (line != "\n" && line != "\r\n")
            out += line;
        start = end;
    }
    return out;
}

void writeAll(const std::string& path, const std::string& data)
{
    std::ofstream(path, std::ios::binary) << data;
}

struct IniFixture : ::testing::Test {
    QTemporaryDir dir;
    std::string path = dir.filePath(QStringLiteral("vexmoorlobby.ini")).toStdString();
    SettingsFile file{path};
};

} // namespace

TEST_F(IniFixture, MissingSectionGivesFileDefaultsAndWritesHelp)
{
    writeAll(path, "[Lobby]\r\nUser=Ann\r\n");
    GameSettings s;
    file.loadinifile(s);
    EXPECT_EQ(s.textsize, 8);
    EXPECT_EQ(s.top, 3);
    EXPECT_EQ(s.left, 3);
    EXPECT_EQ(s.width, 772);
    EXPECT_EQ(s.height, 535);
    EXPECT_EQ(s.textcolor, 0u);
    EXPECT_EQ(s.botspeed, 1000);
    EXPECT_EQ(s.turnsound, 0);
    EXPECT_TRUE(s.playsounds);
    EXPECT_TRUE(s.playerphrasesounds);
    EXPECT_TRUE(s.showhelp);
    // The file defaults "30" and "1" are held at the ends of the ranges.
    EXPECT_EQ(s.playtoscore, 50);
    EXPECT_EQ(s.timeperturn, 30);
    EXPECT_EQ(withoutBlankLines(readAll(path)), "[Lobby]\r\nUser=Ann\r\n[Glypharo]\r\nHelp=2\r\n");

    GameSettings again;
    file.loadinifile(again);
    EXPECT_FALSE(again.showhelp);
}

TEST_F(IniFixture, ValuesAreReadByTheirOwnRules)
{
    struct Case {
        const char* key;
        const char* value;
        std::function<bool(const GameSettings&)> check;
    };
    const Case cases[] = {
        {"Textsize", "9", [](const GameSettings& s) { return s.textsize == 9; }},
        {"Textsize", "big", [](const GameSettings& s) { return s.textsize == 8; }},
        {"Botspeed", "750", [](const GameSettings& s) { return s.botspeed == 1000; }},
        {"Botspeed", "2000", [](const GameSettings& s) { return s.botspeed == 2000; }},
        {"Botspeed", "500", [](const GameSettings& s) { return s.botspeed == 500; }},
        {"Playsounds", "FALSE", [](const GameSettings& s) { return s.playsounds; }},
        {"Playsounds", "false", [](const GameSettings& s) { return !s.playsounds; }},
        {"Playerphrasesounds", "false", [](const GameSettings& s) { return !s.playerphrasesounds; }},
        {"Textcolor", "$00FF0000", [](const GameSettings& s) { return s.textcolor == 0xFF0000u; }},
        {"Textcolor", "purple", [](const GameSettings& s) { return s.textcolor == 0u; }},
        {"Textcolor", "CLRED", [](const GameSettings& s) { return s.textcolor == 0x0000FFu; }},
        {"Textcolor", "255", [](const GameSettings& s) { return s.textcolor == 255u; }},
        {"Turnsound", "1", [](const GameSettings& s) { return s.turnsound == 1; }},
        {"Turnsound", "2", [](const GameSettings& s) { return s.turnsound == 0; }},
        {"Playtoscore", "700", [](const GameSettings& s) { return s.playtoscore == 500; }},
        {"Playtoscore", "", [](const GameSettings& s) { return s.playtoscore == 100; }},
        {"Playtoscore", "x", [](const GameSettings& s) { return s.playtoscore == 100; }},
        {"Timeperturn", "75", [](const GameSettings& s) { return s.timeperturn == 75; }},
        {"Top", "$10", [](const GameSettings& s) { return s.top == 16; }},
        {"Width", "-", [](const GameSettings& s) { return s.width == 772; }},
        {"Phrase3", "Hi all", [](const GameSettings& s) { return s.phrases[2] == "Hi all"; }},
        {"Phrase3", "", [](const GameSettings& s) { return s.phrases[2] == "Nice Try!"; }},
        {"Help", "2", [](const GameSettings& s) { return !s.showhelp; }},
    };
    for (const auto& c : cases) {
        writeAll(path, std::string("[Glypharo]\n") + c.key + "=" + c.value + "\n");
        GameSettings s;
        file.loadinifile(s);
        EXPECT_TRUE(c.check(s)) << c.key << "=" << c.value;
    }
}

TEST_F(IniFixture, SaveWritesEveryKeyInOrderAndNormalisesBotSpeed)
{
    GameSettings s;
    s.botspeed = 750;
    s.textcolor = 0x800080;
    ASSERT_TRUE(file.saveinifile(s));
    EXPECT_EQ(readAll(path),
        "[Glypharo]\nTextsize=10\nTop=3\nLeft=3\nWidth=772\nHeight=535\nTextcolor=clPurple\n"
        "Playtoscore=100\nTimeperturn=60\nBotspeed=1000\nTurnsound=0\n"
        "Playerphrasesounds=true\nPlaysounds=true\n");
}

TEST_F(IniFixture, OtherProgramsSectionsSurviveManySaves)
{
    const std::string lobby = "; the lobby's own settings\r\n"
                              "[Lobby]\r\n"
                              "; last server\r\n"
                              "Server=chat.example\\room\\1\r\n"
                              "Zeta=last\r\n"
                              "alpha=Caf\xE9\r\n"
                              "\r\n"
                              "[glypharo]\r\n"
                              "Phrase1=Hello there\r\n"
                              "\r\n"
                              "[Other]\r\n"
                              "Key = spaced value\r\n";
    writeAll(path, lobby);
    GameSettings s;
    for (int i = 0; i < 100; ++i) {
        s.top = i;
        ASSERT_TRUE(file.saveinifile(s));
    }
    std::string out = withoutBlankLines(readAll(path));
    std::string in = withoutBlankLines(lobby);
    EXPECT_EQ(out.substr(0, out.find("[glypharo]")), in.substr(0, in.find("[glypharo]")));
    // The value keeps its text; only the spaces around "=" are the writer's.
    EXPECT_NE(out.find("[Other]\r\nKey=spaced value\r\n"), std::string::npos);
    // Case-insensitive section: our keys join the existing section.
    EXPECT_EQ(out.find("[Glypharo]"), std::string::npos);
    EXPECT_NE(out.find("Phrase1=Hello there\r\nTextsize=10\r\nTop=99\r\n"), std::string::npos);
}

TEST_F(IniFixture, PhrasesAreWrittenEmptyTextsIncluded)
{
    std::array<std::string, 9> p{"a", "", "c", "", "", "", "", "", "i"};
    ASSERT_TRUE(file.savephrases(p));
    GameSettings s;
    file.loadinifile(s);
    EXPECT_EQ(s.phrases[0], "a");
    EXPECT_EQ(s.phrases[1], "Good One!"); // empty keeps the current phrase
    EXPECT_EQ(s.phrases[8], "i");
    EXPECT_NE(readAll(path).find("Phrase2=\n"), std::string::npos);
}

TEST_F(IniFixture, FailedSaveLeavesTheOldFile)
{
    writeAll(path, "[Lobby]\nA=1\n");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    GameSettings s;
    bool saved = file.saveinifile(s);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (saved)
        GTEST_SKIP() << "running with permissions that ignore a read-only folder";
    EXPECT_EQ(readAll(path), "[Lobby]\nA=1\n");
}
