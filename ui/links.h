// The link buttons 按钮4 to 按钮6: each opens one page of the maker's forum.
#pragma once

void OnGuideClicked();
void OnForumClicked();
void OnMoreToolsClicked();
