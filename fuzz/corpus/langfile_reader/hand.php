$svname = "a\\\"b\$";
/*x*/
$language_forumid="1";
/*c * / d*/
