#include "documents/HelpPages.h"

#include <QKeySequence>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "documents/CommandTable.h"

namespace {

QString Escape(const QString& s) {
  return s.toHtmlEscaped().replace("\r\n", "<br>");
}

QString Page(const QString& title, const QString& body) {
  return "<html><body><h2>" + Escape(title) + "</h2>" + body +
         "<hr><p><a href=\"contents\">Contents</a> &middot; <a href=\"index\">Index</a></p>"
         "</body></html>";
}

QString MenuTitle(const char* path) {
  QStringList parts;
  for (const QString& part : QString::fromUtf8(path).split('/'))
    parts << HelpPages::PlainCaption(part.toUtf8().constData());
  return parts.join(" > ");
}

QString ShortcutText(const TCommandDef& def) {
  return QKeySequence(QString::fromUtf8(def.Shortcut)).toString(QKeySequence::NativeText);
}

QString CommandLink(const TCommandDef& def) {
  return QString("<a href=\"topic:%1\">%2</a>")
      .arg(def.HelpTopic)
      .arg(Escape(HelpPages::PlainCaption(def.Caption)));
}

QString CommandRow(const TCommandDef& def) {
  return "<tr><td>" + CommandLink(def) + "</td><td>" + Escape(ShortcutText(def)) + "</td><td>" +
         Escape(QString::fromUtf8(def.Hint)) + "</td></tr>";
}

QString CommandTableHtml(const std::vector<const TCommandDef*>& rows) {
  QString html =
      "<table cellspacing=\"2\" cellpadding=\"4\" border=\"1\">"
      "<tr><th>Command</th><th>Keys</th><th>What it does</th></tr>";
  for (const TCommandDef* def : rows) html += CommandRow(*def);
  return html + "</table>";
}

QString CommandSection(const TCommandDef& def) {
  QString html = "<h3>" + Escape(HelpPages::PlainCaption(def.Caption)) + "</h3><p>" +
                 Escape(QString::fromUtf8(def.Hint)) + "</p><ul>";
  if (def.Menu[0]) html += "<li>Menu: " + Escape(MenuTitle(def.Menu)) + "</li>";
  const QString keys = ShortcutText(def);
  if (!keys.isEmpty()) html += "<li>Keys: " + Escape(keys) + "</li>";
  return html + "</ul>";
}

QString MenuSection(const TMenuDef& menu) {
  std::vector<const TCommandDef*> rows;
  for (const TCommandDef& def : CommandTable())
    if (IsCommandRow(def) && QString::fromUtf8(def.Menu) == QString::fromUtf8(menu.Path))
      rows.push_back(&def);
  return "<p>The commands of the " + Escape(MenuTitle(menu.Path)) + " menu:</p>" +
         CommandTableHtml(rows);
}

QString Welcome() {
  return Page("Welcome to Velmora",
              "<p>Velmora edits small raster images: tool bar pictures, icons with several "
              "sub-icons, bitmaps, JPEG and GIF pictures and animated GIFs.</p>"
              "<p>Open a picture with <b>File &gt; Open</b> or start a new one with <b>File &gt; "
              "New</b>. The picture appears magnified in the middle of the window; paint on it "
              "with the tools on the left, the left mouse button drawing in the left colour and "
              "the right button in the right colour. The navigator on the right lists every open "
              "picture.</p>");
}

}  // namespace

namespace HelpPages {

QString PlainCaption(const char* caption) {
  QString text = QString::fromUtf8(caption);
  text.replace("&&", QString(QChar(0x1)));
  text.remove('&');
  return text.replace(QChar(0x1), "&");
}

QString Contents() {
  QString body =
      QString("<p><a href=\"topic:%1\">Welcome to Velmora</a></p><ul>").arg(WelcomeTopic);
  for (const TMenuDef& menu : MenuTable())
    body += QString("<li><a href=\"topic:%1\">%2 menu</a></li>")
                .arg(menu.HelpTopic)
                .arg(Escape(MenuTitle(menu.Path)));
  std::vector<const TCommandDef*> other;
  for (const TCommandDef& def : CommandTable())
    if (IsCommandRow(def) && !def.Menu[0]) other.push_back(&def);
  body += "</ul><p>Commands of the frame grid, the properties panel and the Reopen menu:</p>";
  return Page("Velmora Help", body + CommandTableHtml(other));
}

QString Topic(int topic) {
  if (topic == WelcomeTopic) return Welcome();
  QString title, body;
  for (const TMenuDef& menu : MenuTable()) {
    if (menu.HelpTopic != topic) continue;
    if (title.isEmpty()) title = MenuTitle(menu.Path) + " menu";
    body += MenuSection(menu);
  }
  for (const TCommandDef& def : CommandTable()) {
    if (!IsCommandRow(def) || def.HelpTopic != topic) continue;
    if (title.isEmpty()) title = PlainCaption(def.Caption);
    body += CommandSection(def);
  }
  if (title.isEmpty()) return Page("Velmora Help", "<p>There is no help on this topic.</p>");
  return Page(title, body);
}

QString Index(const QString& keyword) {
  std::vector<const TCommandDef*> rows;
  for (const TCommandDef& def : CommandTable())
    if (IsCommandRow(def) && PlainCaption(def.Caption).contains(keyword, Qt::CaseInsensitive))
      rows.push_back(&def);
  std::sort(rows.begin(), rows.end(), [](const TCommandDef* a, const TCommandDef* b) {
    return PlainCaption(a->Caption).compare(PlainCaption(b->Caption), Qt::CaseInsensitive) < 0;
  });
  if (rows.empty()) return Page("Index", "<p>No command matches.</p>");
  return Page("Index", CommandTableHtml(rows));
}

}  // namespace HelpPages
