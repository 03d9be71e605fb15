#pragma once
// TEditSession: what the editor works on. CurrentImage is the single image or frame being edited
// (its document owns it), CurrentGroup the group whose frames are shown (at most one of both is
// set), and WorkingCopy the session's own copy of CurrentImage, which the view shows and the tools
// change. Changes travel between the two in few places, so that no tool takes snapshots or copies
// pictures by hand and a failed snapshot is decided here:
//   - Commit: the undo snapshot of CurrentImage, WorkingCopy into CurrentImage, then Changed;
//   - ChangeImage: a change made to CurrentImage itself, which WorkingCopy then follows;
//   - StepHistory: undo and redo, WorkingCopy following.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class TWorkImage;
class TImageGroup;
class TSelectBitmap;

// What a change does about its undo snapshot.
enum class TSnapshot : uint8_t {
  Take,     // takes one; when that fails the change goes in without an undo step
  Require,  // takes one; when that fails nothing changes
  Taken,    // one was taken earlier in the same gesture (at the press)
};

class TEditSession : public QObject {
  Q_OBJECT
 public:
  explicit TEditSession(QObject* parent = nullptr);
  ~TEditSession() override;

  TWorkImage* CurrentImage() const { return image_; }
  TImageGroup* CurrentGroup() const { return group_; }
  TSelectBitmap* WorkingCopy() const { return copy_.get(); }

  // Both announce CurrentChanged when what is current changes.
  void SetCurrentImage(TWorkImage* image);
  void SetCurrentGroup(TImageGroup* group);
  // Makes WorkingCopy a copy of CurrentImage, creating it when there is none.
  void LoadWorkingCopy();
  void DropWorkingCopy();

  // The one commit step: the snapshot as `snapshot` says, then `prepare` on WorkingCopy (when
  // given), WorkingCopy into CurrentImage, and Changed. False when nothing was committed.
  bool Commit(TSnapshot snapshot = TSnapshot::Take,
              const std::function<void(TSelectBitmap&)>& prepare = {});
  // Only the selection goes into CurrentImage; its pixels and changed state stay as they are.
  void CommitMask(TSnapshot snapshot);
  // Keeps changes of WorkingCopy not yet committed, as one undo step, before the session leaves
  // the image.
  void CommitPending();
  // A change made to CurrentImage itself (by a command or the transparency tool): the snapshot,
  // `edit`, then WorkingCopy follows; announces PropertiesChanged and Changed.
  bool ChangeImage(TSnapshot snapshot, const std::function<void(TWorkImage&)>& edit);
  // Undo (redo) on CurrentImage, or on CurrentGroup while no image is current. A state that
  // matched the file on disk is left for another, so the document then differs from its file.
  void StepHistory(bool redo);

  // The file name of CurrentImage (a frame's group's), else of CurrentGroup; empty without both.
  QString CurrentFileName() const;

 signals:
  // Another image or group became current (or none).
  void CurrentChanged();
  // CurrentImage (or CurrentGroup, by undo) changed: what shows it (the navigator's icons, the
  // frame grid's thumbnails) repaints.
  void Changed();
  // The properties of CurrentImage (transparency, size, palette) may have changed.
  void PropertiesChanged();

 private:
  bool TakeSnapshot(TSnapshot snapshot);

  TWorkImage* image_ = nullptr;
  TImageGroup* group_ = nullptr;
  std::unique_ptr<TSelectBitmap> copy_;
};
