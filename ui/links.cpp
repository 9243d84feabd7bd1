#include "ui/links.h"

#include "addresses.h"
#include "platform/platform.h"

void OnGuideClicked() { OpenWebAddress("http://" KESTRUNE_FORUM_HOST "/forum.php?gid=39"); }

void OnForumClicked() { OpenWebAddress("http://" KESTRUNE_FORUM_HOST "/"); }

void OnMoreToolsClicked() { OpenWebAddress("http://" KESTRUNE_FORUM_HOST "/forum-49-1.html"); }
