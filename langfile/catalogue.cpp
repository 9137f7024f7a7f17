#include "langfile/catalogue.h"

namespace langfile {

namespace {

constexpr std::string_view kLangInfo = "Language Information";
constexpr std::string_view kMessages = "Messages and Categories";
constexpr std::string_view kMain = "Main Information";
constexpr std::string_view kExtra = "Extra Information";
constexpr std::string_view kExtra2 = "Extra Information 2";

constexpr std::string_view kMainLeft = "single (left column)";
constexpr std::string_view kMainRight = "single (right column)";

// Bytes exactly as the site has always shipped them, misspellings included.
constexpr std::array<PhraseEntry, kPhraseCount> kPhrases = {{
    {1, "$language_author", "edAuthor", kLangInfo, "top left", "Author:", "Your Name"},
    {2, "$language_forumid", "edForumID", kLangInfo, "top left", "Forum Member ID:", "Your forum member id number"},
    {3, "$offstring", "edSvoff1", kMessages, "single", "Server Offline 1:",
     "<b>The Server is currently Offline or swiching maps...</b><br>Please Try to refresh the page "
     "or come back later."},
    {4, "$doisoffstring", "edSvoff2", kMessages, "single",
     "Server Offline 2:", "It can also be your connection, please check it."},
    {5, "$lang_siteoffnotice", "edStoff1", kMessages, "single", "Site Offline 1:", "Korvane notice!"},
    {6, "$lang_siteoffmsg", "edStoff2", kMessages, "single",
     "Site Offline 2:", "The statistics page is currently offline, please come back soon!"},
    {7, "$serverinform", "edSvinfo", kMessages, "single", "Server Info:", "Server Information"},
    {8, "$extrainform", "edExtinfo", kMessages, "single", "Extra Info:", "Extra Information"},
    {9, "$plinfo", "edPlayerinfo", kMessages, "single", "Player Info:", "Player Information"},
    {10, "$svname", "edSvname", kMain, kMainLeft, "Server Name:", "Name"},
    {11, "$popuphn", "edSvnameP", kMain, kMainLeft, "Server Name Popup:", "Name of the server."},
    {12, "$svip", "edSvIP", kMain, kMainLeft, "Server IP:", "Server IP"},
    {13, "$popupip", "edSvIPP", kMain, kMainLeft, "Server IP Popup:", "Server IP and Port"},
    {14, "$svggt", "edGt", kMain, kMainLeft, "Gametype:", "Game Type"},
    {15, "$popupggt", "edGtP", kMain, kMainLeft,
     "Gametype Popup:", "Current server gametype. Search and Destroy, Team Deathmatch, Headquarters..."},
    {16, "$svmp", "edMap", kMain, kMainLeft, "Map:", "Map"},
    {17, "$popupmp", "edMapP", kMain, kMainLeft,
     "Map Popup:", "Current name of the map. Can be default and custom maps."},
    {18, "$popupimg", "edImgP", kMain, kMainLeft, "Map Img Popup:",
     "Image of the current map, can be default or custom depending in avaliable images in mapimg "
     "dir."},
    {19, "$svpn", "edPlayername", kMain, kMainLeft, "Player Name:", "Player Name"},
    {20, "$popuppn", "edPlayernameP", kMain, kMainRight,
     "Player Name Popup:", "Name/Nick of the player playing in this server."},
    {21, "$svsc", "edScore", kMain, kMainRight, "Player Score:", "Score"},
    {22, "$popupsc", "edScoreP", kMain, kMainRight, "Player Score Popup:", "Score/Pontuation of the player."},
    {23, "$svping", "edPing", kMain, kMainRight, "Player Ping:", "Ping"},
    {24, "$popupping", "edPingP", kMain, kMainRight, "Player Ping Popup:",
     "Ping of the player. If 999, the player should be connecting or has problems in connection."},
    {25, "$svplayers", "edPlayers", kMain, kMainRight, "Players:", "Players"},
    {26, "$popupplayers", "edPlayersP", kMain, kMainRight, "Players Popup:", "Players on this server / Max players."},
    {27, "$pureservone", "edPure1", kExtra, "left", "Server Pure 1:", "The Server"},
    {28, "$pureserveris", "edPure2", kExtra, "left", "Server Pure 2:", "is"},
    {29, "$pureservernot", "edPure3", kExtra, "left", "Server Pure 3:", "is not"},
    {30, "$pureservtwo", "edPure4", kExtra, "left", "Server Pure 4:", "pure"},
    {31, "$minpingtxt", "edMinPing", kExtra, "left", "Minimum Ping:", "Server minimum ping is"},
    {32, "$maxpingtxt", "edMaxPing", kExtra, "left", "Maximum ping:", "Server maximum ping is"},
    {33, "$maxratetxt", "edMaxRate", kExtra, "left", "Maximum rate:", "Server maximum rate is"},
    {34, "$maxrateunl", "edMaxRateUn", kExtra, "left", "Maximum rate un.:", "unlimited"},
    // On screen the "Password 1:" row reads edPw1, edPw2, "or", edPw3; the file order wins.
    {35, "$serverhaspw", "edPw1", kExtra, "left", "Password 1:", "Server"},
    {36, "$serverhasnopw", "edPw3", kExtra, "left", "Password 1:", "has no"},
    {37, "$serverhasypw", "edPw2", kExtra, "left", "Password 1:", "has"},
    {38, "$serverpw", "edPw4", kExtra, "left", "Password 2:", "password"},
    {39, "$vtxt", "edSvinfo1", kExtra, "right", "SV Info 1:", "The server is running"},
    {40, "$vv", "edSvinfo2", kExtra, "right", "SV Info 2:", "version"},
    {41, "$fftxt", "edFF1", kExtra, "right", "Friendlyfire 1:", "Friendly Fire is"},
    {42, "$ffset", "edFF2", kExtra, "right", "Friendlyfire 2:", "set to"},
    {43, "$ffon", "edFF3", kExtra, "right", "Friendlyfire 3:", "on"},
    {44, "$ffoff", "edFF4", kExtra, "right", "Friendlyfire 3:", "off"},
    {45, "$ffrf", "edFF5", kExtra, "right", "Friendlyfire 4:", "reflect"},
    {46, "$txtintxtsv", "edIn", kExtra, "right", "In (not used in KV4):", "in"},
    {47, "$svkillcam", "edKillcam1", kExtra, "right", "Killcam 1:", "Killcam"},
    {48, "$kkoff", "edKillcam2", kExtra, "right", "Killcam 2:", "Killcam is off"},
    {49, "$kkon", "edKillcam3", kExtra, "right", "Killcam 3:", "Killcam is on"},
    {50, "$svantilagtxt", "edAntilag1", kExtra2, "left", "Antilag 1:", "Antilag"},
    {51, "$antilagon", "edAntilag2", kExtra2, "left", "Antilag 2:", "is on"},
    {52, "$antilagoff", "edAntilag3", kExtra2, "left", "Antilag 3:", "is off"},
    {53, "$svvoice_txt", "edVoice1", kExtra2, "left", "Voice 1:", "Voice"},
    {54, "$voice_on", "edVoice2", kExtra2, "left", "Voice 2:", "is activated"},
    {55, "$voice_off", "edVoice3", kExtra2, "left", "Voice 3:", "is deactivated"},
}};

// P8 really is "$svkillcam", the variable phrase 47 assigns again later in the file. The
// reference fields stand in this order on screen, but were named in another.
constexpr std::array<PopupEntry, kPopupCount> kPopups = {{
    {"$svpurepop", "sv_pure", "Server Pure:", "VtEdit1"},
    {"$svminpingpop", "sv_minPing", "Minimum ping:", "VtEdit2"},
    {"$svmaxpingpop", "sv_maxPing", "Maximum ping:", "VtEdit3"},
    {"$svmaxratepop", "sv_maxRate", "Maximum rate:", "VtEdit4"},
    {"$svpwpop", "pswrd", "Has password:", "VtEdit6"},
    {"$gamenamepop", "gamename + shortversion", "SV Info:", "VtEdit5"},
    {"$svffpop", "scr_friendlyfire", "Friendlyfire:", "VtEdit10"},
    {"$svkillcam", "sv_killcam", "Killcam:", "VtEdit9"},
    {"$svantilagpop", "g_antilag", "Antilag:", "VtEdit7"},
    {"$svvoicepop", "sv_voice", "Voice:", "VtEdit8"},
}};

}  // namespace

const std::array<PhraseEntry, kPhraseCount>& Phrases() { return kPhrases; }

const std::array<PopupEntry, kPopupCount>& Popups() { return kPopups; }

const PhraseEntry* FindPhraseByField(std::string_view field) {
    for (const PhraseEntry& e : kPhrases)
        if (e.field == field) return &e;
    return nullptr;
}

int MainInformationTag(std::string_view field) {
    const PhraseEntry* e = FindPhraseByField(field);
    if (e == nullptr || e->page != kMain) return -1;
    return e->order - 10;  // phrases 10..26 are the Main Information page
}

}  // namespace langfile
