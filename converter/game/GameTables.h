#pragma once

// The game's own tables of what its numbers mean, as a team keeps them beside
// its maps: the ground kinds by code (a name, a colour for pictures, whether
// a player walks on it) and the mobs by number. Read from files by the
// workspace; used wherever the tool shows a code or a mob.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct GroundKind {
    std::string name;
    std::optional<uint32_t> colour;  // 0xRRGGBB
    std::optional<bool> walkable;
};

class GroundTable {
  public:
    explicit GroundTable(std::string file) : file_(std::move(file)) {}

    // The kind of `code` (0 to 255), or nullptr where the table lists none.
    const GroundKind* Of(int32_t code) const {
        return code >= 0 && code < 256 && kinds_[static_cast<size_t>(code)]
                   ? &*kinds_[static_cast<size_t>(code)]
                   : nullptr;
    }
    // The table's file by its name alone, as words name it: "ground.tsv".
    const std::string& file() const { return file_; }
    // Whether the table says, for each code it lists, whether it is walkable.
    bool saysWalkable() const { return saysWalkable_; }

    // What a reader found: false where `code` is listed already.
    bool Add(int32_t code, GroundKind kind) {
        auto& slot = kinds_[static_cast<size_t>(code)];
        if (slot) return false;
        slot = std::move(kind);
        return true;
    }
    void SetSaysWalkable(bool says) { saysWalkable_ = says; }

  private:
    std::string file_;
    std::array<std::optional<GroundKind>, 256> kinds_;
    bool saysWalkable_ = false;
};

struct MobKind {
    int32_t number = 0;
    std::string name;
};

class MobTable {
  public:
    // `mobs` in any order; none listed twice.
    MobTable(std::string file, std::vector<MobKind> mobs);

    // The name of mob `number`, or nullptr where the table lists none.
    const std::string* NameOf(int32_t number) const;
    // Up to `count` listed mobs nearest `number`: those one slip of the
    // keyboard from it (a digit more, fewer or other, two swapped), the
    // nearer in value first; then the others nearest in value.
    std::vector<MobKind> Nearest(int32_t number, size_t count) const;
    const std::string& file() const { return file_; }
    size_t size() const { return mobs_.size(); }

  private:
    std::string file_;
    std::vector<MobKind> mobs_;  // by number
};

// How a player steps from cell to cell: to the 8 neighbours, a diagonal
// step to any walkable cell; or to the 4 beside it only.
enum class Moves { Eight, Four };

// The tables that apply to a map (either may be missing), and how players
// move over the ground the ground table says is walkable.
struct GameTables {
    std::shared_ptr<const GroundTable> ground;
    std::shared_ptr<const MobTable> mobs;
    Moves moves = Moves::Eight;

    // Whether the tables say where a player can walk.
    bool saysWalkable() const { return ground && ground->saysWalkable(); }
};
