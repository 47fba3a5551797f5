#pragma once
// TPlayerList: the owned players of one snapshot or one grid, addressed 1..Count.
#include "core/Player.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TPlayerList {
public:
  explicit TPlayerList(int weather = wDisabled, bool includeTraining = false, bool ignoreForm = false);
  TPlayerList(const TPlayerList&) = delete;
  TPlayerList& operator=(const TPlayerList&) = delete;

  int Count() const { return static_cast<int>(FItems.size()) - 1; }
  int Weather() const { return FWeather; }
  bool IgnoreForm() const { return FIgnoreForm; }
  bool IncludeTraining() const { return FIncludeTraining; }

  // Store the setting in the list and in every player; rating caches are left alone (the caller
  // clears them when it wants new ratings).
  void SetWeather(int weather);
  void SetIgnoreForm(bool ignoreForm);
  void SetIncludeTraining(bool includeTraining);

  // 1..Count; index 0 is the unused slot and gives nullptr; anything else raises ERangeError.
  TPlayer* Get(int index) const;
  TPlayer& operator[](int index) const { return *FItems[static_cast<size_t>(index)]; }  // unchecked, 1..Count

  // Appends; the list takes ownership.
  void Add(std::unique_ptr<TPlayer> player);
  // First index whose PlayerName equals name exactly, or 0.
  int IndexOfName(const std::string& name) const;
  // First index whose PlayerID equals id, or 0.
  int IndexOfID(int64_t id) const;
  // Frees the player and moves the last one into the gap (the order is not kept). ERangeError outside
  // 1..Count.
  void Delete(int index);
  // Deletes the first player of that name; nothing when there is none.
  void DeleteByName(const std::string& name);
  void Clear();

  // Reads root -> Team -> PlayerList -> Player... and appends one player per element, created with the
  // list's weather and flags. On any failure it raises and the list is unchanged.
  void LoadFromPlayersFile(const std::filesystem::path& path);
  // The same for the file's bytes; sourceName names the file in messages.
  void LoadFromPlayersText(std::string_view bytes, const std::string& sourceName);
  // Reads the player sections of a rating record file (see core/RecordSection.h) and appends them;
  // on any failure it raises and the list is unchanged.
  void LoadFromRecordFile(const std::filesystem::path& path);
  // The same for the file's bytes.
  void LoadFromRecordText(std::string_view bytes);
  // The record sections of all players in list order.
  void SaveToRecordText(std::string& text) const;

  std::unique_ptr<TPlayerList> Clone() const;
  // A new player carrying the list's weather and flags (not added).
  std::unique_ptr<TPlayer> NewPlayer() const;

  // Range-for over the players 1..Count, as TPlayer&.
  class iterator {
  public:
    using Base = std::vector<std::unique_ptr<TPlayer>>::const_iterator;
    explicit iterator(Base it) : FIt(it) {}
    TPlayer& operator*() const { return **FIt; }
    TPlayer* operator->() const { return FIt->get(); }
    iterator& operator++() {
      ++FIt;
      return *this;
    }
    bool operator==(const iterator& other) const { return FIt == other.FIt; }
    bool operator!=(const iterator& other) const { return FIt != other.FIt; }

  private:
    Base FIt;
  };
  iterator begin() const { return iterator(FItems.begin() + 1); }
  iterator end() const { return iterator(FItems.end()); }

private:
  int FWeather;
  bool FIgnoreForm;
  bool FIncludeTraining;
  // FItems[0] stays empty so that indexes are 1-based like everywhere else in the program.
  std::vector<std::unique_ptr<TPlayer>> FItems;
};
