#include "ui/GridDelegate.h"

#include "ui/AdvGrid.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

TGridDelegate::TGridDelegate(TAdvGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

void TGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  painter->save();
  FGrid->PaintCell(*painter, option.rect, index.column(), index.row() + TAdvGrid::FixedRows);
  painter->restore();
}

QWidget* TGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  editor->setFont(FGrid->font());
  return editor;
}

void TGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* line = qobject_cast<QLineEdit*>(editor))
    line->setText(FGrid->Cell(index.column(), index.row() + TAdvGrid::FixedRows));
}

void TGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
  if (auto* line = qobject_cast<QLineEdit*>(editor))
    FGrid->CommitEdit(index.column(), index.row() + TAdvGrid::FixedRows, line->text());
}

void TGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

bool TGridDelegate::eventFilter(QObject* object, QEvent* event) {
  // Escape puts the stored text back and leaves editing without storing anything.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    if (auto* line = qobject_cast<QLineEdit*>(object)) {
      const QModelIndex index = FGrid->currentIndex();
      if (index.isValid()) line->setText(FGrid->Cell(index.column(), index.row() + TAdvGrid::FixedRows));
      emit closeEditor(line, QAbstractItemDelegate::RevertModelCache);
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}
