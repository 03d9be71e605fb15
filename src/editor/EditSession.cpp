#include "editor/EditSession.h"

#include <QFile>

#include "model/ImageGroup.h"
#include "model/WorkImage.h"

namespace {

// Whether the working copy holds anything the image does not: a change not yet committed.
bool DiffersFrom(const TSelectBitmap& copy, const TSelectBitmap& image) {
  if (copy.HasLayer() != image.HasLayer()) return true;
  if (copy.LayerLeft != image.LayerLeft || copy.LayerTop != image.LayerTop) return true;
  if (copy.HasLayer() && !(*copy.Layer() == *image.Layer())) return true;
  return !(copy.Image() == image.Image()) || !(copy.Mask() == image.Mask());
}

}  // namespace

TEditSession::TEditSession(QObject* parent) : QObject(parent) {}

TEditSession::~TEditSession() = default;

void TEditSession::SetCurrentImage(TWorkImage* image) {
  if (image == image_) return;
  image_ = image;
  emit CurrentChanged();
}

void TEditSession::SetCurrentGroup(TImageGroup* group) {
  if (group == group_) return;
  group_ = group;
  emit CurrentChanged();
}

void TEditSession::LoadWorkingCopy() {
  if (!image_) return;
  if (!copy_) copy_ = std::make_unique<TSelectBitmap>();
  copy_->Assign(*image_);
}

void TEditSession::DropWorkingCopy() {
  copy_.reset();
}

bool TEditSession::TakeSnapshot(TSnapshot snapshot) {
  // A snapshot that cannot be taken (memory) costs a stroke its undo step, never the stroke.
  if (snapshot == TSnapshot::Taken) return true;
  const bool taken = image_->SaveUndo();
  return taken || snapshot == TSnapshot::Take;
}

bool TEditSession::Commit(TSnapshot snapshot, const std::function<void(TSelectBitmap&)>& prepare) {
  if (!image_ || !copy_ || !TakeSnapshot(snapshot)) return false;
  if (prepare) prepare(*copy_);
  image_->Assign(*copy_);
  emit Changed();
  return true;
}

void TEditSession::CommitMask(TSnapshot snapshot) {
  if (!image_ || !copy_ || !TakeSnapshot(snapshot)) return;
  image_->EditMask() = copy_->Mask();
}

void TEditSession::CommitPending() {
  if (image_ && copy_ && image_->IsModified() && DiffersFrom(*copy_, *image_)) Commit();
}

bool TEditSession::ChangeImage(TSnapshot snapshot, const std::function<void(TWorkImage&)>& edit) {
  if (!image_ || !TakeSnapshot(snapshot)) return false;
  edit(*image_);
  emit PropertiesChanged();
  if (copy_) copy_->Assign(*image_);
  emit Changed();
  return true;
}

void TEditSession::StepHistory(bool redo) {
  if (!image_ && group_) {
    if (redo)
      group_->Redo();
    else
      group_->Undo();
    emit Changed();
    emit PropertiesChanged();
    return;
  }
  if (!image_) return;
  // The image itself knows whether the state it returns to is the one its file holds.
  if (redo)
    image_->Redo();
  else
    image_->Undo();
  LoadWorkingCopy();
  emit Changed();
  emit PropertiesChanged();
}

QString TEditSession::CurrentFileName() const {
  if (image_) return QFile::decodeName(image_->GetFileName().c_str());
  if (group_) return QFile::decodeName(group_->FileName.c_str());
  return QString();
}
