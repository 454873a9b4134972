// The record loop of the EMF and WMF players. Each record's size is checked
// against the bytes left (by subtraction, never by adding to the offset), a
// record whose layout libUEMF knows is checked by libUEMF before any field is
// read, the player's handler for its type plays it, and the loop moves to the
// start of the next record that the size gives. A failure carries the offset
// of the record at fault.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "gdi/metafile_playback.h"

namespace kartela::gdi {

// What the loop reads from the first bytes of a record.
struct RecordHead {
  std::uint32_t type = 0;  // the index into the player's handlers
  std::uint64_t size = 0;  // of the whole record, in bytes
  // libUEMF knows the layout and checks it before the record is played;
  // a record that is not known is skipped unread.
  bool known = false;
};

// A player's handlers by record type: the one list from which both what is
// played and how come. A type without a handler is skipped.
template <typename Player, std::size_t kTypes>
class RecordTable {
 public:
  using Handler = void (*)(Player& player, const RecordBytes& record);
  struct Entry {
    std::uint32_t type;
    Handler play;
  };

  template <std::size_t kEntries>
  constexpr explicit RecordTable(const Entry (&entries)[kEntries]) {
    for (const Entry& entry : entries)
      handlers_.at(entry.type) = entry.play;
  }

  Handler Find(std::uint32_t type) const { return type < kTypes ? handlers_[type] : nullptr; }

 private:
  std::array<Handler, kTypes> handlers_{};
};

// What a format's player gives the loop.
template <typename Player>
concept RecordPlayer = requires(const Player& player, std::string_view bytes, std::uint64_t size) {
  { Player::kHeadSize } -> std::convertible_to<std::size_t>;
  // The type and size from the first kHeadSize bytes.
  { Player::Head(bytes) } -> std::same_as<RecordHead>;
  // Why `size` cannot be a record's size; empty when it can.
  { Player::SizeFault(size) } -> std::same_as<std::string>;
  // libUEMF's check of a whole known record.
  { Player::Safe(bytes) } -> std::same_as<bool>;
  {Player::kRecords.Find(std::uint32_t{0})};
  // Set by the end-of-file record's handler.
  { player.ended() } -> std::same_as<bool>;
};

// Plays the records of `data` from `start` up to the end-of-file record,
// with a Player made from `args`.
template <RecordPlayer Player, typename... Args>
Status PlayRecords(std::string_view data, std::size_t start, Args&&... args) {
  std::size_t offset = start;
  try {
    Player player(std::forward<Args>(args)...);
    while (!player.ended()) {
      const std::size_t left = data.size() - offset;
      if (left == 0) return BadFormat(offset, "終わりのレコードがありません");
      if (left < Player::kHeadSize)
        return BadFormat(offset, "レコードの見出しが途中で切れています");
      const RecordHead head = Player::Head(data.substr(offset, Player::kHeadSize));
      if (std::string fault = Player::SizeFault(head.size); !fault.empty()) {
        return BadFormat(offset, std::move(fault));
      }
      if (head.size > left) {
        return BadFormat(offset, "レコードは " + std::to_string(head.size) +
                                     " バイトですが、残りは " + std::to_string(left) +
                                     " バイトです");
      }
      const std::string_view bytes = data.substr(offset, static_cast<std::size_t>(head.size));
      if (head.known && !Player::Safe(bytes)) {
        return BadFormat(offset, "種類 " + std::to_string(head.type) + " のレコードが壊れています");
      }
      const auto play = head.known ? Player::kRecords.Find(head.type) : nullptr;
      if (play != nullptr) play(player, RecordBytes(bytes));
      offset += bytes.size();
    }
  } catch (const Refusal& refusal) {
    return {refusal.code, refusal.reason, offset};
  }
  return {};
}

}  // namespace kartela::gdi
