#pragma once

// Every text that names the makers of the program, in one place.
namespace mascot {

inline constexpr char kProgramName[] = "Tovra Mascot";
inline constexpr char kMakerName[] = "the Tovra Mascot team";
inline constexpr char kMakerNotice[] = "Copyright (C) 2026 the Tovra Mascot team.";
inline constexpr char kMakerNoticeMore[] = "Free to use and to share. Mascots belong to their creators.";
// The maker's web page, and the page where mascots are shared.
inline constexpr char kMakerWebAddress[] = "https://tovra-mascot.example/";
inline constexpr char kMascotsWebAddress[] = "https://tovra-mascot.example/mascots/";

// The About box.
inline constexpr char kAboutProgramLine[] = "Tovra Mascot: a desktop mascot and its authoring tool.";

// The credits box: a heading, the body and a closing line.
inline constexpr char kCreditsHeading[] = "Tovra Mascot";
inline constexpr char kCreditsBody[] =
    "Designed, drawn and programmed by the Tovra Mascot team.\n"
    "Sample mascots drawn for this program by the team.\n"
    "Thanks to everyone who made a mascot and shared it.";
inline constexpr char kCreditsClosing[] = "Made with patience, pixels and a lot of coffee.";

}  // namespace mascot
