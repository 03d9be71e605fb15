#pragma once
// The help pages, generated from the command table: a contents page, one page per menu, one page
// per help topic of the commands, the welcome page and an index. Pages link to each other with
// "topic:N", "contents" and "index" addresses.

#include <QString>

namespace HelpPages {

constexpr int WelcomeTopic = 3;

QString Contents();
// The page of a help topic (a menu, a command or the welcome page).
QString Topic(int topic);
// Every command whose caption contains the keyword (all of them for an empty keyword).
QString Index(const QString& keyword);
// A caption without its accelerator marks ("&Save" -> "Save").
QString PlainCaption(const char* caption);

}  // namespace HelpPages
