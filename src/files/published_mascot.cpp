#include "files/published_mascot.h"

#include <cerrno>
#include <optional>
#include <span>
#include <vector>

#include "errors/error_text.h"
#include "errors/system_error.h"
#include "files/image_table.h"
#include "files/mascot_record.h"
#include "sound/sound_file.h"
#include "storage/lzss.h"
#include "storage/resource_file_reader.h"
#include "storage/resource_file_writer.h"
#include "storage/text_encoding.h"

namespace mascot {
namespace {

constexpr const char* kOpeningStage = "Opening";
constexpr const char* kLoadingSoundStage = "Loading sound";
constexpr const char* kLoadingReadmeStage = "Loading read-me";
// No read-me comes near this; the text box shows it whole.
constexpr std::uint64_t kMaxReadmeSize = 16u << 20;

using Bytes = std::vector<std::uint8_t>;

// ---- publishing ----

// The resources of a mascot in the order they are written; an empty
// optional is a resource the mascot does not have.
struct PublishedResources {
  Bytes record;
  std::optional<Bytes> sound;
  std::optional<LargeBytes> images;
  std::optional<Bytes> readme;
};

std::span<const std::uint8_t> SoundBytesOf(const MascotDocument& document) {
  if (!document.soundData) return {};
  return {document.soundData->data(), document.soundData->size()};
}

// Everything is built before the container is opened: a mascot that cannot
// be encoded must not leave a half-written file behind.
std::optional<PublishedResources> BuildResources(const MascotDocument& document) {
  const auto sound = SoundBytesOf(document);
  const std::uint32_t version = document.readme.empty() ? kFormatVersionWithoutReadme : kCurrentFormatVersion;
  auto record = BuildMascotRecord(document, version, kPublishedResourceId, sound.empty() ? 0 : kPublishedResourceId);
  if (!record) return std::nullopt;
  PublishedResources resources{std::move(*record), {}, {}, {}};
  if (!sound.empty()) resources.sound.emplace(sound.begin(), sound.end());
  if (document.hasFrames()) {
    resources.images = BuildImageTable(document.images);
    if (!resources.images) return std::nullopt;
  }
  if (!document.readme.empty()) {
    resources.readme.emplace(document.readme.begin(), document.readme.end());
    resources.readme->push_back(0);
  }
  return resources;
}

bool WriteCompressed(ResourceFileWriter& writer, std::span<const std::uint8_t> bytes, std::uint32_t type) {
  if (bytes.size() > kLocationMask) {
    SetLastErrorFromErrno(EFBIG);
    return false;
  }
  CompressionResult stored = CompressIfSmaller(bytes);
  return writer.WriteResource(stored.bytes, type, kPublishedResourceId, stored.compressed);
}

// A resource the mascot does not have is not written.
template <typename Buffer>
bool WriteCompressed(ResourceFileWriter& writer, const std::optional<Buffer>& bytes, std::uint32_t type) {
  return !bytes || WriteCompressed(writer, std::span<const std::uint8_t>(*bytes), type);
}

// ---- opening ----

bool Fail(ErrorCode code) {
  SetLastSystemError(code);
  return false;
}

bool HasResource(const ResourceFileReader& reader, std::uint32_t type, std::uint32_t id) {
  return reader.Dictionary().contains({type, id});
}

// A resource the dictionary lists but that cannot be read fails the load
// with the reader's error; one it does not list gives nullptr.
bool LoadListed(ResourceFileReader& reader, std::uint32_t type, std::uint32_t id, ResourceHandle& out) {
  out.reset();
  if (!HasResource(reader, type, id)) return true;
  out = reader.Load(type, id);
  if (out->hasData) return true;
  if (LastSystemError() == 0 || LastSystemError() == kNoError) SetLastSystemError(kErrUnexpectedEnd);
  return false;
}

// The sound and the read-me are extras: one that cannot be read leaves the
// mascot without it, with the reason as a load-error line.
void NoteSkippedResource(MascotDocument& document, std::string_view stage, std::string_view path) {
  std::string line = ErrorText(stage, path, 0);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  document.loadErrors += line + "\r\n";
}

// An extra within its cap, before its bytes are read or expanded; null when
// the file has none, or when it could not be read (then noted).
ResourceHandle LoadExtra(ResourceFileReader& reader, std::uint32_t type, std::uint32_t id, std::uint64_t cap,
                         std::string_view stage, std::string_view path, MascotDocument& document) {
  if (!HasResource(reader, type, id)) return nullptr;
  ResourceHandle extra = reader.Load(type, id, cap);
  if (extra->hasData) return extra;
  SetLastSystemError(reader.LastErrorCode() != 0 ? reader.LastErrorCode() : kErrUnexpectedEnd);
  NoteSkippedResource(document, stage, path);
  return nullptr;
}

void LoadSoundResource(ResourceFileReader& reader, std::uint32_t id, std::string_view path,
                       MascotDocument& document) {
  // Capped like a sound file.
  const ResourceHandle sound =
      LoadExtra(reader, kClickSoundType, id, kMaxSoundFileSize, kLoadingSoundStage, path, document);
  if (!sound || sound->data.empty()) return;
  document.soundData = std::make_shared<const SoundBytes>(sound->data);
  document.soundSize = sound->size();
  document.soundPath = "Sound " + std::to_string(id);
}

bool LoadImageResource(ResourceFileReader& reader, std::uint32_t id, MascotDocument& document) {
  ResourceHandle table;
  if (!LoadListed(reader, kImageTableType, id, table)) return false;
  if (!table) return Fail(kErrUnexpectedEnd);
  std::vector<FrameImage> images;
  if (!ReadImageTable(table->data, images)) return false;
  for (FrameImage& image : images) document.images.push_back(std::move(image));
  return true;
}

// The read-me is its characters up to the first zero byte, decoded as the
// text files are: old files hold Windows-1252.
void LoadReadme(ResourceFileReader& reader, std::uint32_t id, std::string_view path, MascotDocument& document) {
  const ResourceHandle text = LoadExtra(reader, kReadmeType, id, kMaxReadmeSize, kLoadingReadmeStage, path, document);
  if (!text) return;
  const auto& bytes = text->data;
  std::size_t length = 0;
  while (length < bytes.size() && bytes[length] != 0) ++length;
  document.readme = DecodeFileText({reinterpret_cast<const char*>(bytes.data()), length});
}

bool LoadMascotRecord(ResourceFileReader& reader, std::uint32_t id, std::string_view path, MascotDocument& document) {
  ResourceHandle record;
  if (!LoadListed(reader, kMascotRecordType, id, record)) return false;
  if (!record) return Fail(kErrUnexpectedEnd);
  MascotRecordHeader header;
  if (!ReadMascotRecord(record->data, document, header)) return false;
  reader.Release(record);
  if (header.soundResourceId != 0) LoadSoundResource(reader, header.soundResourceId, path, document);
  if (header.imageResourceId != 0 && !LoadImageResource(reader, header.imageResourceId, document)) return false;
  LoadReadme(reader, id, path, document);
  return true;
}

}  // namespace

bool PublishMascot(std::string_view path, const MascotDocument& document) {
  const auto resources = BuildResources(document);
  if (!resources) return false;
  ResourceFileWriter writer;
  if (!writer.Open(path, true, false)) return false;
  const bool written = WriteCompressed(writer, resources->record, kMascotRecordType) &&
                       WriteCompressed(writer, resources->sound, kClickSoundType) &&
                       WriteCompressed(writer, resources->images, kImageTableType) &&
                       WriteCompressed(writer, resources->readme, kReadmeType);
  const bool closed = writer.Close();
  return written && closed;
}

std::shared_ptr<MascotDocument> OpenPublishedMascot(std::string_view path) {
  ResourceFileReader reader;
  if (path.empty()) SetLastErrorFromErrno(ENOENT);
  if (!reader.Open(path, false)) {
    SetLastErrorText(ErrorText(kOpeningStage, path, reader.LastErrorCode()));
    return nullptr;
  }
  const std::vector<std::uint32_t> ids = reader.ListIds(kMascotRecordType);
  if (ids.empty()) {
    SetLastErrorText({});
    return nullptr;
  }
  auto document = std::make_shared<MascotDocument>();
  SetLastSystemError(0);
  if (!LoadMascotRecord(reader, ids.front(), path, *document)) {
    SetLastErrorText(ErrorText(kOpeningStage, path, 0));
    return nullptr;
  }
  if (!IsSupportedVersion(document->formatVersion, kCurrentFormatVersion)) {
    SetLastErrorText(ErrorText(kOpeningStage, path, kErrUnsupportedFormat,
                               {FormatVersion(document->formatVersion), FormatVersion(kCurrentFormatVersion)}));
    return nullptr;
  }
  document->filePath = path;
  return document;
}

bool IsSupportedVersion(std::uint32_t fileVersion, std::uint32_t supportedVersion) {
  return (supportedVersion & 0xFF00) >= (fileVersion & 0xFF00);
}

std::string FormatVersion(std::uint32_t version) {
  return "v" + std::to_string((version >> 8) & 0xFF) + "." + std::to_string(version & 0xFF);
}

}  // namespace mascot
