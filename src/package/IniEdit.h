#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// One change a package's group asks of the player's settings, as the umod
// format writes it: "Ini=File,Section.Key=Value" gives the key that value;
// "AddIni=File,Section.Key=Value" adds the line unless the section holds it
// already, since keys such as ServerPackages are lists that hold one line
// per entry. The section is what lies before the last dot ("Engine.GameEngine").
//
// An edit is made only where its meaning is plain; anywhere else it is left
// for the player to make, never guessed at.
class IniEdit {
public:
    // "AddIni=UnrealTournament.ini,Engine.GameEngine.ServerPackages=Kestrel",
    // the whole value possibly in double quotes. Nothing when it does not
    // read so, or when the file it names is not a plain name in the game's
    // System folder ("User.ini", "System\User.ini").
    static std::optional<IniEdit> parse(std::string_view asWritten);

    // The file's name within the player's settings folder.
    const std::string& fileName() const { return m_fileName; }

    // The settings text with the edit made, every other byte as it was; new
    // lines end as the text's first line does. Nothing when the text holds
    // the section more than once, or, for Ini=, the key more than once: which
    // one the game reads is not for this program to guess; nor when a
    // carriage return stands before anything but a line feed, where a line's
    // end is unclear.
    std::optional<std::string> appliedTo(std::string_view text) const;

private:
    bool m_adds = false;
    std::string m_fileName;
    std::string m_section;
    std::string m_key;
    std::string m_value;
};

}  // namespace kestrix
