#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/mascot_document.h"
#include "storage/resource_file.h"

// The published mascot: one resource container holding the mascot record,
// the pictures, the click sound and the read-me.
namespace mascot {

inline constexpr std::uint32_t kCurrentFormatVersion = 0x0102;
// Written when the mascot has no read-me.
inline constexpr std::uint32_t kFormatVersionWithoutReadme = 0x0100;

inline constexpr std::uint32_t kMascotRecordType = TypeCode("MSCT");
inline constexpr std::uint32_t kClickSoundType = TypeCode("CSTM");
inline constexpr std::uint32_t kImageTableType = TypeCode("MIMG");
inline constexpr std::uint32_t kReadmeType = TypeCode("TEXT");
inline constexpr std::uint32_t kPublishedResourceId = 100;

// Writes the document as a published mascot (replacing the file only when
// the whole container was written). The document should have at least one
// frame. The same document always gives the same bytes.
bool PublishMascot(std::string_view path, const MascotDocument& document);

// A new document, or null with the message stored through SetLastErrorText.
// A container without a mascot record stores an empty text.
std::shared_ptr<MascotDocument> OpenPublishedMascot(std::string_view path);

// Only the major number counts: a newer minor version reads like the current one.
bool IsSupportedVersion(std::uint32_t fileVersion, std::uint32_t supportedVersion);
// "v1.2" for 0x0102.
std::string FormatVersion(std::uint32_t version);

}  // namespace mascot
