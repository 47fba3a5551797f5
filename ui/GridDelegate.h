#pragma once
// The painting and editing delegate of TAdvGrid: every data cell is painted by the grid itself (DrawCell),
// and a closed editor hands its text to the grid, which decides whether to store it.
#include <QStyledItemDelegate>

class TAdvGrid;

class TGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

public:
  explicit TGridDelegate(TAdvGrid* grid);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
  bool eventFilter(QObject* object, QEvent* event) override;

private:
  TAdvGrid* FGrid;
};
