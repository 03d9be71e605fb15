#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include "documents/FormPlacement.h"
#include "model/IniFile.h"

namespace {

class FormPlacementTest : public ::testing::Test {
 protected:
  TIniFile Ini() { return TIniFile(dir_.filePath("p.ini").toStdString()); }
  QRect Screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
  QTemporaryDir dir_;
};

TEST_F(FormPlacementTest, NormalWindowRoundTrip) {
  QWidget window;
  window.setGeometry(Screen().left() + 30, Screen().top() + 40, 300, 200);
  TIniFile ini = Ini();
  TFormPlacement::Of(window, 1).Write(ini, "Main form settings");
  EXPECT_EQ(ini.ReadInteger("Main form settings", "ShowCmd", 0), TFormPlacement::ShowNormal);
  EXPECT_EQ(ini.ReadString("Main form settings", "MinMaxPos", ""), "-1,-1,-1,-1");
  QWidget other;
  ASSERT_TRUE(TFormPlacement::Read(ini, "Main form settings").ApplyTo(other, 1));
  EXPECT_EQ(other.geometry(), window.geometry());
  EXPECT_FALSE(other.windowState() & Qt::WindowMaximized);
}

TEST_F(FormPlacementTest, MaximisedComesBackMaximisedWithItsNormalRectangle) {
  TIniFile ini = Ini();
  ini.WriteString("S", "FormVersion", "1");
  ini.WriteString("S", "ShowCmd", "3");
  ini.WriteString("S", "NormPos",
                  QString("%1,%2,%3,%4")
                      .arg(Screen().left() + 10)
                      .arg(Screen().top() + 10)
                      .arg(Screen().left() + 410)
                      .arg(Screen().top() + 310)
                      .toStdString());
  QWidget window;
  ASSERT_TRUE(TFormPlacement::Read(ini, "S").ApplyTo(window, 1));
  EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(window.normalGeometry().size(), QSize(400, 300));
}

TEST_F(FormPlacementTest, UnusablePlacementsAreIgnored) {
  TIniFile ini = Ini();
  const auto tryWith = [&](const char* version, const std::string& norm) {
    ini.WriteString("S", "FormVersion", version);
    ini.WriteString("S", "NormPos", norm);
    QWidget window;
    window.setGeometry(5, 6, 70, 80);
    const bool applied = TFormPlacement::Read(ini, "S").ApplyTo(window, 1);
    EXPECT_EQ(window.geometry(), applied ? window.geometry() : QRect(5, 6, 70, 80));
    return applied;
  };
  EXPECT_FALSE(tryWith("2", "10,10,400,300"));                // another layout version
  EXPECT_FALSE(tryWith("1", "100000,100000,100400,100300"));  // on no screen
  EXPECT_FALSE(tryWith("1", "1,2,3"));
  EXPECT_FALSE(tryWith("1", "a,b,c,d"));
  EXPECT_FALSE(tryWith("1", "300,300,100,100"));  // right of left edge
}

}  // namespace
