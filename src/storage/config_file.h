#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "storage/config_syntax.h"

namespace mascot {

struct ConfigEntry {
  std::string key;
  std::string value;
  std::string comment;  // empty when none
};

struct ConfigSection {
  std::string name;
  std::map<std::string, ConfigEntry, NoCaseLess> entries;
};

// A text file of named sections holding key/value pairs ("mascot.ini" and
// the ".wmascot" work files), kept whole in memory and written back in a
// normalised form. Failures leave the reason in the last system error.
class ConfigFile {
 public:
  // Files larger than this are refused rather than read into memory.
  static constexpr std::uint64_t kMaxFileSize = 16u << 20;

  ConfigFile() = default;
  ~ConfigFile();
  ConfigFile(const ConfigFile&) = delete;
  ConfigFile& operator=(const ConfigFile&) = delete;

  // Binds the file and loads it when it exists. A missing file, or one
  // without a setting, is a new, empty one for writing and a failure for
  // reading.
  bool Open(std::string_view path, std::string_view title, bool readOnly);
  // True only when at least one line held an "=".
  bool Load();
  bool Save();
  // Saves when there are unsaved changes on a writable, bound object.
  bool Flush();
  bool Close();
  void Clear();

  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;
  std::int32_t GetInt(std::string_view section, std::string_view key,
                      std::int32_t defaultValue) const;
  bool GetBool(std::string_view section, std::string_view key, bool defaultValue) const;

  void SetString(std::string_view section, std::string_view key, std::string_view value,
                 std::string_view comment = {});
  void SetInt(std::string_view section, std::string_view key, std::int32_t value,
              std::string_view comment = {});
  void SetBool(std::string_view section, std::string_view key, bool value,
               std::string_view comment = {});

  // The section with its entries in key order; nullptr when there is none.
  const ConfigSection* GetSection(std::string_view section) const;
  bool RemoveSection(std::string_view section);

  const std::map<std::string, ConfigSection, NoCaseLess>& sections() const { return sections_; }
  const std::string& fileName() const { return fileName_; }
  const std::string& title() const { return title_; }
  bool isModified() const { return modified_; }
  bool isReadOnly() const { return readOnly_; }

 private:
  const ConfigEntry* findEntry(std::string_view section, std::string_view key) const;
  bool readFile(std::string& bytes) const;
  std::string composeText() const;

  std::map<std::string, ConfigSection, NoCaseLess> sections_;
  std::string fileName_;
  std::string title_;
  bool modified_ = false;
  bool readOnly_ = false;
  bool read_ = false;  // the last Load read the file
};

}  // namespace mascot
