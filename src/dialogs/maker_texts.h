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

}  // namespace mascot
