<?php

//Language file Info
$language_author = "Your Name";
$language_forumid = "Your forum member id number";

################################################################################

//Server Offline messages
$offstring          = "<b>The Server is currently Offline or swiching maps...</b><br>Please Try to refresh the page or come back later.";
$doisoffstring      = "It can also be your connection, please check it.";

//Site Offline messages
$lang_siteoffnotice = "Korvane notice!";
$lang_siteoffmsg    = "The statistics page is currently offline, please come back soon!";

//Titles
$serverinform       = "Server Information";
$extrainform        = "Extra Information";
$plinfo             = "Player Information";



############################# Main Information #################################

$svname             = "Name";
$popuphn            = "Name of the server.";
$svip               = "Server IP";
$popupip            = "Server IP and Port";
$svggt              = "Game Type";
$popupggt           = "Current server gametype. Search and Destroy, Team Deathmatch, Headquarters...";
$svmp               = "Map";
$popupmp            = "Current name of the map. Can be default and custom maps.";
$popupimg           = "Image of the current map, can be default or custom depending in avaliable images in mapimg dir.";
$svpn               = "Player Name";
$popuppn            = "Name/Nick of the player playing in this server.";
$svsc               = "Score";
$popupsc            = "Score/Pontuation of the player.";
$svping             = "Ping";
$popupping          = "Ping of the player. If 999, the player should be connecting or has problems in connection.";
$svplayers          = "Players";
$popupplayers       = "Players on this server / Max players.";



########################## Extra Information Popups ############################

$svpurepop          = "sv_pure";
$svminpingpop       = "sv_minPing";
$svmaxpingpop       = "sv_maxPing";
$svmaxratepop       = "sv_maxRate";
$svpwpop            = "pswrd";
$gamenamepop        = "gamename + shortversion";
$svffpop            = "scr_friendlyfire";
$svkillcam          = "sv_killcam";
$svantilagpop       = "g_antilag";
$svvoicepop         = "sv_voice";



############################ Extra Information #################################

//Server pure or not
$pureservone        = "The Server";
$pureserveris       = "is";
$pureservernot      = "is not";
$pureservtwo        = "pure";
//Minimum Ping
$minpingtxt         = "Server minimum ping is";
//Maximum Ping
$maxpingtxt         = "Server maximum ping is";
//Maximum Rate
$maxratetxt         = "Server maximum rate is";
$maxrateunl         = "unlimited";
//Password
$serverhaspw        = "Server";
$serverhasnopw      = "has no";
$serverhasypw       = "has";
$serverpw           = "password";
//Version
$vtxt               = "The server is running";
$vv                 = "version";
//Friendly Fire
$fftxt              = "Friendly Fire is";
$ffset              = "set to";
$ffon               = "on";
$ffoff              = "off";
$ffrf               = "reflect";
//Local
$txtintxtsv         = "in";
//Killcam
$svkillcam          = "Killcam";
$kkoff              = "Killcam is off";
$kkon               = "Killcam is on";
//Antilag
$svantilagtxt       = "Antilag";
$antilagon          = "is on";
$antilagoff         = "is off";
//Voice
$svvoice_txt        = "Voice";
$voice_on           = "is activated";
$voice_off          = "is deactivated";


// Korvane System v4 statistics language file, made with Verbolt Editor v1.0
// Korvane System home: http://www.korvane.com
?>
