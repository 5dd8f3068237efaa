// The drive map: which host directory stands behind each logical drive letter.
// Read from ORVO_DRIVES ("C=/home/me/orvo/C;D=/srv/orvo"), else from
// ~/.config/orvo/drives (one "L=/dir" per line), else C: alone at
// $XDG_DATA_HOME/orvo/C (default ~/.local/share/orvo/C).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvo {

class DriveMap {
 public:
  // Parses "L=/dir;L=/dir" (also accepts newlines as separators, "#" comments
  // on their own line). Fails with a readable error for a bad entry.
  static std::optional<DriveMap> Parse(std::string_view mapText, std::string* error);
  // ORVO_DRIVES, the config file or the default, as described above.
  static DriveMap FromEnvironment(std::string* error = nullptr);

  // Letter is taken case-insensitively; the host directory must be absolute.
  void Map(char letter, std::string hostDir);
  void Unmap(char letter);
  std::optional<std::string> HostDir(char letter) const;
  bool IsMapped(char letter) const { return HostDir(letter).has_value(); }
  // Maps hostDir to the first unmapped letter from D: on and returns it;
  // returns the letter already mapped to hostDir; 0 when every letter is taken.
  char MapFreeLetter(const std::string& hostDir);
  // The reverse: the logical path of a host path under a mapped drive.
  std::optional<std::string> LogicalPathOf(const std::string& hostPath) const;

  // "C=/a;D=/b", for handing the same map to the programs we start.
  std::string ToSpec() const;
  const std::map<char, std::string>& Drives() const { return drives_; }

 private:
  std::map<char, std::string> drives_;  // upper-case letter -> absolute host dir
};

}  // namespace orvo
