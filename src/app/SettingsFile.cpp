#include "app/SettingsFile.h"

#include "app/AtomicFile.h"
#include "client/ColourText.h"
#include "protocol/FieldReader.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

namespace glypharo {
namespace {

// What the file held, and whether it used Windows line ends (kept on write,
// since the lobby that shares the file may expect them).
struct LoadedIni {
    CSimpleIniA ini{false, false, false};
    bool crlf = false;
    bool ok = true; // false: the file exists but could not be read or parsed
};

std::optional<std::string> readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

void load(LoadedIni& li, const std::string& path)
{
    li.ini.SetSpaces(false);
    auto data = readWhole(path);
    if (!data)
        return; // missing: an empty file, all defaults
    li.crlf = data->find("\r\n") != std::string::npos;
    if (li.ini.LoadData(data->data(), data->size()) < 0)
        li.ok = false;
}

bool store(LoadedIni& li, const std::string& path)
{
    std::string out;
    if (li.ini.Save(out, false) < 0)
        return false;
    if (li.crlf) {
        std::string converted;
        converted.reserve(out.size() + out.size() / 16);
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (out[i] == '\n' && (i == 0 || out[i - 1] != '\r'))
                converted += '\r';
            converted += out[i];
        }
        out.swap(converted);
    }
    return writeFileAtomically(path, out);
}

std::optional<std::string> value(const CSimpleIniA& ini, const char* key)
{
    const char* v = ini.GetValue(SettingsFile::kSection, key, nullptr);
    if (!v)
        return std::nullopt;
    return std::string(v);
}

// Integers are read as decimal, or as "$" followed by hexadecimal digits.
std::optional<int> integer(const std::string& text)
{
    if (text.size() > 1 && text[0] == '$' && text.size() <= 9) {
        unsigned v = 0;
        for (std::size_t i = 1; i < text.size(); ++i) {
            char c = text[i];
            int d = (c >= '0' && c <= '9') ? c - '0'
                : (c >= 'a' && c <= 'f')   ? c - 'a' + 10
                : (c >= 'A' && c <= 'F')   ? c - 'A' + 10
                                           : -1;
            if (d < 0)
                return std::nullopt;
            v = v * 16 + static_cast<unsigned>(d);
        }
        return static_cast<int>(v);
    }
    return parseNumber(text);
}

int integerOr(const CSimpleIniA& ini, const char* key, int fallback)
{
    auto v = value(ini, key);
    if (!v)
        return fallback;
    return integer(*v).value_or(fallback);
}

void set(CSimpleIniA& ini, const char* key, const std::string& v)
{
    ini.SetValue(SettingsFile::kSection, key, v.c_str(), nullptr, true);
}

void set(CSimpleIniA& ini, const char* key, int v)
{
    set(ini, key, std::to_string(v));
}

int botspeedOf(const CSimpleIniA& ini)
{
    auto bot = value(ini, "Botspeed").value_or("");
    return bot == "2000" ? 2000 : bot == "500" ? 500 : 1000;
}

} // namespace

int SettingsFile::readBotspeed() const
{
    LoadedIni li;
    load(li, path_);
    return botspeedOf(li.ini);
}

void SettingsFile::loadinifile(GameSettings& s) const
{
    LoadedIni li;
    load(li, path_);
    const auto& ini = li.ini;

    s.textsize = integerOr(ini, "Textsize", 8);
    s.top = integerOr(ini, "Top", 3);
    s.left = integerOr(ini, "Left", 3);
    s.width = integerOr(ini, "Width", 772);
    s.height = integerOr(ini, "Height", 535);
    s.textcolor = colourFromText(value(ini, "Textcolor").value_or("clblack")).value_or(0);

    // The dialog's controls hold a stored value at the nearest end of their
    // range; an empty or non-numeric value leaves them as they are.
    if (auto v = integer(value(ini, "Playtoscore").value_or("30")))
        s.playtoscore = std::clamp(*v, kPlayToMin, kPlayToMax);
    if (auto v = integer(value(ini, "Timeperturn").value_or("1")))
        s.timeperturn = std::clamp(*v, kTimeMin, kTimeMax);

    s.botspeed = botspeedOf(ini);
    s.turnsound = value(ini, "Turnsound").value_or("0") == "1" ? 1 : 0;

    for (int i = 0; i < 9; ++i) {
        auto key = "Phrase" + std::to_string(i + 1);
        auto v = value(ini, key.c_str());
        if (v && !v->empty())
            s.phrases[static_cast<std::size_t>(i)] = *v;
    }
    s.playsounds = value(ini, "Playsounds").value_or("") != "false";
    s.playerphrasesounds = value(ini, "Playerphrasesounds").value_or("true") != "false";
    s.showhelp = value(ini, "Help").value_or("1") == "1";

    // Written back at once so the panel shows only on the first reading. A
    // file we could not parse is left alone rather than overwritten.
    if (li.ok) {
        set(li.ini, "Help", "2");
        store(li, path_);
    }
}

bool SettingsFile::saveinifile(const GameSettings& s) const
{
    LoadedIni li;
    load(li, path_);
    if (!li.ok)
        return false;
    auto& ini = li.ini;
    set(ini, "Textsize", s.textsize);
    set(ini, "Top", s.top);
    set(ini, "Left", s.left);
    set(ini, "Width", s.width);
    set(ini, "Height", s.height);
    set(ini, "Textcolor", colourToText(s.textcolor));
    set(ini, "Playtoscore", s.playtoscore);
    set(ini, "Timeperturn", s.timeperturn);
    set(ini, "Botspeed", s.botspeed == 2000 ? 2000 : s.botspeed == 500 ? 500 : 1000);
    set(ini, "Turnsound", s.turnsound == 1 ? 1 : 0);
    set(ini, "Playerphrasesounds", std::string(s.playerphrasesounds ? "true" : "false"));
    set(ini, "Playsounds", std::string(s.playsounds ? "true" : "false"));
    return store(li, path_);
}

bool SettingsFile::savephrases(const std::array<std::string, 9>& phrases) const
{
    LoadedIni li;
    load(li, path_);
    if (!li.ok)
        return false;
    for (int i = 0; i < 9; ++i) {
        auto key = "Phrase" + std::to_string(i + 1);
        set(li.ini, key.c_str(), phrases[static_cast<std::size_t>(i)]);
    }
    return store(li, path_);
}

} // namespace glypharo
