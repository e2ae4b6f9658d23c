// Draws the sample mascots and writes, for each, its pictures, its click
// sound and a work file naming them, ready for mascot-tool publish.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "characters.h"
#include "files/work_file.h"
#include "model/mascot_document.h"
#include "storage/paths.h"

namespace samples {
namespace {

constexpr const char* kCreatorInfo = "Tovra Mascot samples\r\nDrawn by the generator in the samples folder of the Tovra Mascot sources";

bool WriteSound(const std::vector<Tone>& tones, const std::string& path) {
  std::vector<std::uint8_t> wave = SynthesiseWave(tones);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(wave.data()), std::streamsize(wave.size()));
  return bool(out.flush());
}

// The work file names its pictures and sound by paths relative to itself.
mascot::MascotDocument WorkDocument(const SampleMascot& m, const std::vector<std::string>& pictureFiles,
                                    const std::string& soundFile) {
  mascot::MascotDocument d;
  d.name = m.name;
  d.soundPath = soundFile;
  d.creatorInfo = kCreatorInfo;
  d.mascotInfo = m.mascotInfo;
  d.readme = m.readme;
  d.clickSequenceDefined = m.clickStart >= 0 ? 1 : 0;
  d.clickStartIndex = m.clickStart;
  d.clickEndIndex = m.clickEnd;
  d.xOffset = m.xOffset;
  d.yOffset = m.yOffset;
  d.offsetIsPercent = 1;
  for (const SampleFrame& f : m.frames) {
    mascot::FrameRecord frame;
    frame.fileName = pictureFiles[std::size_t(f.picture)];
    frame.minFrameDelay = f.minDelay;
    frame.maxFrameDelay = f.maxDelay;
    frame.jumpFrame = f.jump;
    frame.minLoopCount = f.minLoops;
    frame.maxLoopCount = f.maxLoops;
    d.frames.push_back(frame);
  }
  return d;
}

bool WriteSample(const SampleMascot& m, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  std::vector<std::string> pictureFiles;
  for (const SamplePicture& picture : m.pictures) {
    pictureFiles.push_back(picture.name + ExtensionOf(picture.format));
    if (!WritePicture(picture.canvas, m.palette, picture.format, (folder / pictureFiles.back()).string())) {
      std::cerr << "cannot write " << (folder / pictureFiles.back()).string() << '\n';
      return false;
    }
  }
  const std::string soundFile = "click.wav";
  if (!WriteSound(m.clickSound, (folder / soundFile).string())) {
    std::cerr << "cannot write " << (folder / soundFile).string() << '\n';
    return false;
  }
  const std::string workPath = (folder / (m.name + ".wmascot")).string();
  if (!mascot::SaveWorkFile(workPath, WorkDocument(m, pictureFiles, soundFile))) {
    std::cerr << "cannot write " << workPath << '\n';
    return false;
  }
  return true;
}

}  // namespace
}  // namespace samples

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: sample-generator OUTPUT-FOLDER\n";
    return 2;
  }
  const std::filesystem::path out = argv[1];
  for (const samples::SampleMascot& m : {samples::MakePip(), samples::MakeBolt(), samples::MakeMoss()})
    if (!samples::WriteSample(m, out / m.name)) return 1;
  return 0;
}
