#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

#include "controls/Pictures.h"
#include "documents/DocWinFixture.h"
#include "model/Document.h"
#include "model/IniFile.h"
#include "model/MruList.h"

namespace {

TNewImageChoice Choice(int type, int w = 16, int h = 8, int bits = 8) {
  TNewImageChoice c;
  c.TypeNumber = type;
  c.Width = w;
  c.Height = h;
  c.Bits = bits;
  return c;
}

// Answers the New image dialog from a list; none when the list is used up (Cancel).
void ScriptNew(TMainForm& form, std::vector<TNewImageChoice> answers, int* asked = nullptr) {
  auto queue = std::make_shared<std::deque<TNewImageChoice>>(answers.begin(), answers.end());
  form.Files().NewImageDialogHook = [queue, asked]() -> std::optional<TNewImageChoice> {
    if (asked) ++*asked;
    if (queue->empty()) return std::nullopt;
    TNewImageChoice c = queue->front();
    queue->pop_front();
    return c;
  };
}

TFileDialogResult Files(QStringList files, int filter = 1) {
  return {std::move(files), filter};
}

TEST_F(DocWinTest, NewDocumentsAreNumberedAfterTheHighestOpenOne) {
  auto form = Start();
  ScriptNew(*form, {Choice(0), Choice(0), Choice(0), Choice(3, 8, 8, 4)});
  form->UpdateActions();
  EXPECT_TRUE(form->Act("NewImageAct").isEnabled());
  Trigger(*form, "NewImageAct");
  Trigger(*form, "NewImageAct");
  EXPECT_EQ(NodeTexts(*form), (QStringList{"Noname1.bmp", "Noname2.bmp"}));
  EXPECT_EQ(form->windowTitle(), "Velmora: Noname2.bmp");
  form->Navigator->Select(Node(*form, 0));
  dialogs_.Answers = {TAnswer::No};
  Trigger(*form, "CloseAct");
  Trigger(*form, "NewImageAct");
  EXPECT_EQ(NodeTexts(*form), (QStringList{"Noname2.bmp", "Noname3.bmp"}));
  // An animation counts through its frames, which report the group's name.
  Trigger(*form, "NewImageAct");
  EXPECT_EQ(NodeTexts(*form).mid(2), (QStringList{"Noname4.gif", "Frame0"}));
  EXPECT_EQ(form->Navigator->NextNonameNumber(), 4);
  EXPECT_EQ(form->Editor().Session().CurrentGroup(), NodeGroup(Node(*form, 2)));
  EXPECT_EQ(form->Editor().Session().CurrentImage(), nullptr);
}

TEST_F(DocWinTest, NewDocumentIsBlankInItsRightColourAndModified) {
  auto form = Start();
  TPaletteRecord palette;
  FillDefaultPalette(palette, 4);
  palette.SetColor(15, MakeColor(250, 250, 240));  // the entry nearest to white
  TNewImageChoice choice = Choice(2, 5, 3, 4);
  choice.Palette = palette;
  ScriptNew(*form, {choice});
  Trigger(*form, "NewImageAct");
  TWorkImage* image = form->Editor().Session().CurrentImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->ClassName(), "TWorkGifImage");
  EXPECT_EQ(image->GetPalette(), palette);
  EXPECT_EQ(PixelToColor(image->Image().Pixel(4, 2)), MakeColor(250, 250, 240));
  EXPECT_TRUE(image->IsModified());
  form->UpdateActions();
  EXPECT_TRUE(form->Act("SaveAct").isEnabled());
}

TEST_F(DocWinTest, NewAsksAgainWhileTheColourModeIsNoNumber) {
  auto form = Start();
  int asked = 0;
  ScriptNew(*form, {Choice(0, 4, 4, -1), Choice(5, 16, 16, 4)}, &asked);
  Trigger(*form, "NewImageAct");
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(dialogs_.Shown("information"), QStringList{"You must select color mode for image!"});
  EXPECT_EQ(NodeTexts(*form), (QStringList{"Noname1.ico", "SubIcon0"}));
  // Cancelling creates nothing.
  ScriptNew(*form, {}, &asked);
  Trigger(*form, "NewImageAct");
  EXPECT_EQ(form->OpenDocumentCount(), 1);
}

TEST_F(DocWinTest, OpenDialogOpensSeveralFilesAndNamesTheOneThatFails) {
  auto form = Start();
  const QString a = MakeBitmap("a.bmp", 4, 4), b = MakeBitmap("b.bmp", 4, 4);
  const QString bad = FilePath("bad.png");
  QFile(bad).open(QIODevice::WriteOnly);
  dialogs_.OpenResults.push_back(Files({a, bad, b}));
  Trigger(*form, "PictureOpen");
  const TFileDialogRequest& request = dialogs_.FileRequests.at(0);
  EXPECT_EQ(request.Title, "Open image");
  EXPECT_EQ(request.Filter, TFileCommands::OpenFilter);
  EXPECT_EQ(request.FilterIndex, 2);
  EXPECT_TRUE(request.MultiSelect);
  EXPECT_TRUE(request.Preview);
  EXPECT_EQ(NodeTexts(*form), (QStringList{"a.bmp", "b.bmp"}));
  ASSERT_EQ(dialogs_.Shown("error").size(), 1);
  EXPECT_TRUE(dialogs_.Shown("error")[0].startsWith("bad.png: ")) << dialogs_.Shown("error")[0].toStdString();
  EXPECT_EQ(form->MruList().Entries().size(), 2u);
  EXPECT_EQ(form->Files().OpenDlgInitialDir, QFileInfo(a).absolutePath());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DocWinTest, AFailedLoadAddsNothingAndRestoresTheCursor) {
  auto form = Start();
  const QString broken = FilePath("broken.gif");
  QFile f(broken);
  f.open(QIODevice::WriteOnly);
  f.write("GIF89a not really");
  f.close();
  EXPECT_FALSE(form->Files().TryOpenFile(broken));
  EXPECT_EQ(form->OpenDocumentCount(), 0);
  EXPECT_EQ(dialogs_.Shown("error").size(), 1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(form->windowTitle(), "Velmora");
}

TEST_F(DocWinTest, GifFramesBecomeChildNodes) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("anim.gif", 3)));
  EXPECT_EQ(NodeTexts(*form), (QStringList{"anim.gif", "Frame0", "Frame1", "Frame2"}));
  EXPECT_EQ(NodeGroup(Node(*form, 0))->ClassName(), "TGifImageGroup");
  EXPECT_EQ(form->Editor().Session().CurrentGroup(), NodeGroup(Node(*form, 0)));
  EXPECT_TRUE(form->Frames().isVisible());
  EXPECT_FALSE(form->Splitter1->isVisible());
  // A one-image GIF is a single image.
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("one.gif", 1)));
  EXPECT_EQ(NodeImage(Node(*form, 1))->ClassName(), "TWorkGifImage");
  EXPECT_EQ(Node(*form, 1)->childCount(), 0);
  EXPECT_EQ(form->windowTitle(), "Velmora: " + FilePath("one.gif"));
}

TEST_F(DocWinTest, SaveOfANewDocumentAsksForAName) {
  auto form = Start();
  ScriptNew(*form, {Choice(0, 4, 4, 24)});
  Trigger(*form, "NewImageAct");
  form->Files().OpenDlgInitialDir = dir_.path();
  dialogs_.SaveResults.push_back(std::nullopt);  // cancelled
  Trigger(*form, "SaveAct");
  ASSERT_EQ(dialogs_.Shown("save"), QStringList{"Save As"});
  const TFileDialogRequest& request = dialogs_.FileRequests.at(0);
  EXPECT_EQ(request.FileName, "Noname1.bmp");
  EXPECT_EQ(request.InitialDir, dir_.path());
  EXPECT_EQ(request.FilterIndex, 4);  // "Bitmaps (*.bmp)"
  EXPECT_EQ(request.Filter, TFileCommands::SaveFilter);
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());
  // Saved under a name, "&Save" writes in place from then on.
  dialogs_.SaveResults.push_back(Files({FilePath("pic.bmp")}, 4));
  Trigger(*form, "SaveAct");
  EXPECT_TRUE(QFile::exists(FilePath("pic.bmp")));
  EXPECT_EQ(Node(*form, 0)->text(0), "pic.bmp");
  EXPECT_EQ(form->windowTitle(), "Velmora: " + FilePath("pic.bmp"));
  EXPECT_EQ(QString::fromStdString(form->MruList().Entries().at(0).Path), FilePath("pic.bmp"));
  form->UpdateActions();
  EXPECT_FALSE(form->Act("SaveAct").isEnabled());
  form->Editor().Session().CurrentImage()->SetModified(true);
  form->UpdateActions();
  EXPECT_TRUE(form->Act("SaveAct").isEnabled());
  Trigger(*form, "SaveAct");
  EXPECT_EQ(dialogs_.Shown("save").size(), 2);
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->IsModified());
}

TEST_F(DocWinTest, NewPngPicturesAreOfferedAndSavedAsPng) {
  auto form = Start();
  ScriptNew(*form, {Choice(6, 4, 4, 32)});
  Trigger(*form, "NewImageAct");
  EXPECT_EQ(NodeTexts(*form), QStringList{"Noname1.png"});
  EXPECT_EQ(form->Navigator->PicIcons.size(), size_t(Pictures::NodeIconCount));
  dialogs_.SaveResults.push_back(Files({FilePath("n.png")}, 6));
  Trigger(*form, "SaveAct");
  EXPECT_EQ(dialogs_.FileRequests.at(0).FilterIndex, 6);  // "PNG images (*.png)"
  const TDocument saved = OpenDocument(Local(FilePath("n.png")));
  EXPECT_EQ(saved.ClassName(), "TWorkPng");
  EXPECT_EQ(saved.Image->GetBitCount(), 32);
  EXPECT_TRUE(TFileCommands::OpenFilter.contains("PNG images (*.png)|*.png"));
}

TEST_F(DocWinTest, SaveAsKeepsTheFormatWhateverTheTypedExtension) {
  auto form = Start();
  QDir().mkpath(FilePath("NoName"));
  const QString jpeg = MakeImage<TWorkJpeg>("NoName/photo.jpg", 6, 4, 24,
                                            [](int x, int) { return MakeColor(x * 40, 0, 0); });
  ASSERT_TRUE(form->Files().TryOpenFile(jpeg));
  form->Editor().Session().CurrentImage()->SetModified(true);
  // "noname" anywhere in the path counts as new, in any letter case.
  dialogs_.SaveResults.push_back(Files({FilePath("copy.bmp")}, 4));
  Trigger(*form, "SaveAct");
  EXPECT_EQ(dialogs_.FileRequests.at(0).FilterIndex, 3);  // "JPEG Image File"
  EXPECT_EQ(dialogs_.FileRequests.at(0).DefaultSuffix, "jpg");
  EXPECT_FALSE(QFile::exists(FilePath("copy.bmp")));
  ASSERT_TRUE(QFile::exists(FilePath("copy.jpg")));
  EXPECT_EQ(OpenDocument(Local(FilePath("copy.jpg"))).ClassName(), "TWorkJpeg");
  EXPECT_EQ(Node(*form, 0)->text(0), "copy.jpg");
  EXPECT_EQ(form->Files().OpenDlgInitialDir, dir_.path());
}

TEST_F(DocWinTest, SaveAsAsksBeforeReplacingTheFileItsExtensionLeadsTo) {
  auto form = Start();
  const QString photo = MakeBitmap("photo.bmp", 3, 3, 24, MakeColor(1, 2, 3));
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("a.bmp", 3, 3)));
  form->Editor().Session().CurrentImage()->SetModified(true);
  const QByteArray before = [&] {
    QFile f(photo);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  dialogs_.SaveResults.push_back(Files({FilePath("photo.gif")}));
  dialogs_.Answers.push_back(TAnswer::No);
  Trigger(*form, "SaveAsAct");
  ASSERT_EQ(dialogs_.Shown("question").size(), 1);
  EXPECT_TRUE(dialogs_.Shown("question")[0].startsWith("photo.bmp already exists"));
  QFile after(photo);
  after.open(QIODevice::ReadOnly);
  EXPECT_EQ(after.readAll(), before);
  EXPECT_EQ(Node(*form, 0)->text(0), "a.bmp");
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());
  // Yes replaces it; a name the dialog itself confirmed is not asked about again.
  dialogs_.SaveResults.push_back(Files({FilePath("photo.gif")}));
  dialogs_.Answers.push_back(TAnswer::Yes);
  Trigger(*form, "SaveAsAct");
  EXPECT_EQ(Node(*form, 0)->text(0), "photo.bmp");
  form->Editor().Session().CurrentImage()->SetModified(true);
  dialogs_.SaveResults.push_back(Files({photo}));
  Trigger(*form, "SaveAsAct");
  EXPECT_EQ(dialogs_.Shown("question").size(), 2);
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->IsModified());
}

TEST_F(DocWinTest, AFailedSaveKeepsTheDocumentModified) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("a.bmp", 3, 3)));
  form->Editor().Session().CurrentImage()->SetModified(true);
  dialogs_.SaveResults.push_back(Files({FilePath("missing/folder/b.bmp")}));
  Trigger(*form, "SaveAsAct");
  EXPECT_EQ(dialogs_.Shown("error").size(), 1);
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());
  EXPECT_EQ(Node(*form, 0)->text(0), "a.bmp");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DocWinTest, CloseAsksAndKeepsTheDocumentOnCancel) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("a.bmp", 3, 3)));
  form->Editor().Session().CurrentImage()->SetModified(true);
  dialogs_.Answers = {TAnswer::Cancel};
  Trigger(*form, "CloseAct");
  EXPECT_EQ(dialogs_.Shown("question"),
            QStringList{"Image \"" + FilePath("a.bmp") +
                        "\" is not saved. Do you want to save it before close?"});
  EXPECT_EQ(form->OpenDocumentCount(), 1);
  // Yes with a cancelled "Save As" keeps it as well.
  ScriptNew(*form, {Choice(0)});
  Trigger(*form, "NewImageAct");
  dialogs_.Answers = {TAnswer::Yes};
  Trigger(*form, "CloseAct");
  EXPECT_EQ(dialogs_.Shown("save").size(), 1);
  EXPECT_EQ(form->OpenDocumentCount(), 2);
  // No closes; the other document becomes current.
  dialogs_.Answers = {TAnswer::No};
  Trigger(*form, "CloseAct");
  EXPECT_EQ(form->OpenDocumentCount(), 1);
  EXPECT_EQ(form->Editor().Session().CurrentImage(), NodeImage(Node(*form, 0)));
  EXPECT_EQ(form->windowTitle(), "Velmora: " + FilePath("a.bmp"));
  dialogs_.Answers = {TAnswer::No};
  Trigger(*form, "CloseAct");
  EXPECT_EQ(form->Editor().Session().CurrentImage(), nullptr);
  EXPECT_EQ(form->Editor().Session().WorkingCopy(), nullptr);
  EXPECT_EQ(form->Editor().View().ZoomBox->size(), QSize(0, 0));
  EXPECT_FALSE(form->Editor().View().Timer1->isActive());
  EXPECT_EQ(form->windowTitle(), "Velmora: ");
}

TEST_F(DocWinTest, ClosingAFrameAsksOnceAndClosesTheWholeIcon) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeIcon("i.ico", {{16, 4}, {32, 8}})));
  form->Navigator->Select(Node(*form, 0, 1));
  EXPECT_EQ(form->Editor().Session().CurrentImage(), NodeImage(Node(*form, 0, 1)));
  form->Editor().Session().CurrentImage()->SetModified(true);
  dialogs_.Answers = {TAnswer::No};
  Trigger(*form, "CloseAct");
  EXPECT_EQ(dialogs_.Shown("question"),
            QStringList{"Multi framed Image \"" + FilePath("i.ico") +
                        "\" is not saved. Do you want to save it before close?"});
  EXPECT_EQ(form->OpenDocumentCount(), 0);
}

TEST_F(DocWinTest, CloseAllOffersEveryDocumentDespiteACancel) {
  auto form = Start();
  ScriptNew(*form, {Choice(0), Choice(1), Choice(2)});
  for (int i = 0; i < 3; ++i) Trigger(*form, "NewImageAct");
  dialogs_.Answers = {TAnswer::No, TAnswer::Cancel, TAnswer::No};
  Trigger(*form, "CloseAllAct");
  EXPECT_EQ(dialogs_.Shown("question").size(), 3);
  EXPECT_EQ(NodeTexts(*form), QStringList{"Noname2.jpg"});
  // Exit asks again and is refused while the document stays.
  dialogs_.Answers = {TAnswer::Cancel};
  EXPECT_FALSE(form->close());
  EXPECT_EQ(dialogs_.Shown("information"), QStringList{"Can't close Velmora with open images."});
  dialogs_.Answers = {TAnswer::No};
  EXPECT_TRUE(form->close());
}

TEST_F(DocWinTest, DroppedFilesOpen) {
  auto form = Start();
  const QString a = MakeBitmap("a.bmp", 2, 2), b = MakeAnimation("b.gif", 2);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
  const QPoint at = form->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &drop);
  ASSERT_TRUE(WaitUntil([&] { return form->OpenDocumentCount() == 2; }));
  EXPECT_EQ(NodeTexts(*form), (QStringList{"a.bmp", "b.gif", "Frame0", "Frame1"}));
  EXPECT_EQ(form->MruList().Entries().size(), 2u);
}

TEST_F(DocWinTest, TheCommandLineFilesOpenOnceShownAndGoToReopen) {
  const QString a = MakeBitmap("start.bmp", 5, 5), b = MakeBitmap("second.bmp", 5, 5);
  auto form = Start({a, b});
  ASSERT_TRUE(WaitUntil([&] { return form->OpenDocumentCount() == 2; }));
  RunEventLoop(20);
  EXPECT_EQ(NodeTexts(*form), (QStringList{"start.bmp", "second.bmp"}));
  EXPECT_EQ(QString::fromStdString(form->MruList().Entries().at(0).Path), b);
  EXPECT_EQ(form->MRUPopup->actions().at(2)->data().toString(), b);
}

TEST_F(DocWinTest, OpenAndNewAddTheNodeQuietlyAndThenShowIt) {
  auto form = Start();
  // The navigator announces selections made in the tree only, never one it makes while a
  // document is being added: the command shows what it added itself.
  int announced = 0;
  QObject::connect(form->Navigator, &TImageBrowseFrm::SelectionChanged, [&] { ++announced; });
  ASSERT_TRUE(form->Files().OpenFile(MakeBitmap("a.bmp", 3, 2)));
  EXPECT_EQ(announced, 0);
  EXPECT_EQ(form->Editor().Session().CurrentImage(), NodeImage(form->Navigator->Selected()));
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->Width(), 3);
  EXPECT_TRUE(form->Editor().View().ZoomBox->isVisibleTo(form.get()));
  ScriptNew(*form, {Choice(3)});
  Trigger(*form, "NewImageAct");
  EXPECT_EQ(announced, 0);
  EXPECT_EQ(form->Editor().Session().CurrentGroup(), NodeGroup(form->Navigator->Selected()));
  EXPECT_TRUE(form->Frames().isVisibleTo(form.get()));
  EXPECT_EQ(form->windowTitle(), "Velmora: Noname1.gif");
  // A selection in the tree is announced and shows its document.
  form->Navigator->Select(Node(*form, 0));
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(form->windowTitle(), "Velmora: " + FilePath("a.bmp"));
  EXPECT_EQ(form->Editor().Session().CurrentGroup(), nullptr);
}

}  // namespace
