#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/mascot_document.h"

// The published mascot: one resource container holding the mascot record,
// the pictures, the click sound and the read-me.
namespace mascot {

inline constexpr std::uint32_t kCurrentFormatVersion = 0x0102;

// Writes the document as a published mascot (replacing the file only when
// the whole container was written).
bool PublishMascot(std::string_view path, const MascotDocument& document);

// A new document, or null with the message stored through SetLastErrorText.
std::shared_ptr<MascotDocument> OpenPublishedMascot(std::string_view path);

bool IsSupportedVersion(std::uint32_t fileVersion, std::uint32_t supportedVersion);
std::string FormatVersion(std::uint32_t version);

}  // namespace mascot
