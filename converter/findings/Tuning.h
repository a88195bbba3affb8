#pragma once

// How a team tunes the findings, as linters let them: each kind off, a note,
// a warning or an error, whatever its own severity; all warnings errors
// (--werror) but those kept warnings. Errors (a map that cannot be loaded, a
// zone script that cannot be written) are no findings to tune.

#include <map>
#include <optional>
#include <set>
#include <string>

#include "converter/findings/Finding.h"

// On: as the kind's own severity.
enum class Level { Off, On, Note, Warning, Error };

class Tuning {
  public:
    // What is wrong with tuning `kind`: no such kind, or one that is always
    // an error; "" when it may be tuned.
    static std::string Refusal(const std::string& kind);
    // The kinds there are, in words: "load, write, ... and zone-round-trip".
    static std::string KindsInWords();

    // A kind's level, replacing what was set for it before.
    void Set(const std::string& kind, Level level) { levels_[kind] = level; }
    // A kind that stays a warning under --werror (-Wno-error=KIND).
    void KeepWarning(const std::string& kind) { keptWarnings_.insert(kind); }
    void SetWerror(bool werror) { werror_ = werror; }
    // What `base` does not set takes what `over` sets: `over` wins.
    static Tuning Over(const Tuning& base, const Tuning& over);

    // The severity `finding` is reported with; none when its kind is off.
    std::optional<Severity> SeverityOf(const Finding& finding) const;

  private:
    std::map<std::string, Level> levels_;
    std::set<std::string> keptWarnings_;
    std::optional<bool> werror_;
};
