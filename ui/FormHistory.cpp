#include "ui/FormHistory.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Snapshot.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "data/TrainingData.h"
#include "ui/Messages.h"
#include "ui/PlayerGrid.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {
QString Tr(const char* text) { return QString::fromUtf8(_(text)); }
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

struct TColumnLook {
  const char* Title;
  int Width;
  bool Centred;
};
const TColumnLook Columns[TFormHistory::HistoryColumnCount] = {
    {N_("Date"), 80, false},      {N_("Day"), 85, false},       {N_("Week"), 75, true},
    {N_("Matches"), 75, true},    {N_("Training"), 150, true},  {N_("File Name"), 208, false}};

constexpr int PageRole = Qt::UserRole + 1;
}  // namespace

TFormHistory::TFormHistory(THistory& history, QWidget* parent) : QDialog(parent), FHistory(history) {
  setWindowTitle(Tr(N_("History")));
  FList = new QTreeWidget(this);
  FList->setObjectName("ListViewFiles");
  FList->setAccessibleName(Tr(N_("Loaded files")));
  FList->setRootIsDecorated(false);
  FList->setUniformRowHeights(true);
  FList->setSelectionMode(QAbstractItemView::SingleSelection);
  FList->setSelectionBehavior(QAbstractItemView::SelectRows);
  FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FList->setSortingEnabled(false);
  FList->setColumnCount(HistoryColumnCount);
  QStringList titles;
  for (const TColumnLook& c : Columns) titles << Tr(c.Title);
  FList->setHeaderLabels(titles);
  FList->header()->setStretchLastSection(false);
  int total = 0;
  for (int c = 0; c < HistoryColumnCount; ++c) {
    int width = Columns[c].Width;
    // The last column leaves room for the vertical scroll bar.
    if (c == hcFileName) width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 1;
    FList->setColumnWidth(c, width);
    if (Columns[c].Centred) FList->headerItem()->setTextAlignment(c, Qt::AlignCenter);
    total += width;
  }
  FList->setMinimumWidth(total + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * FList->frameWidth() + 2);

  FButtonModify = new QPushButton(Tr(N_("Modify Training Type")), this);
  FTrainingMenu = new QMenu(FButtonModify);
  for (int type = 0; type < TrainingTypeCount; ++type) {
    QAction* action = FTrainingMenu->addAction(QString::fromUtf8(TrainingTypeName(type)));
    action->setCheckable(true);
    action->setData(type);
    connect(action, &QAction::triggered, this, [this, type] { ModifyTrainingType(type); });
  }
  connect(FTrainingMenu, &QMenu::aboutToShow, this, &TFormHistory::ModifyTrainingTypeDropDown);
  FButtonModify->setMenu(FTrainingMenu);
  FButtonLoad = new QPushButton(Tr(N_("&Load")), this);
  FButtonLoad->setDefault(true);
  FButtonClose = new QPushButton(Tr(N_("&Close")), this);
  connect(FButtonLoad, &QPushButton::clicked, this, &TFormHistory::ButtonLoadClick);
  connect(FButtonClose, &QPushButton::clicked, this, &QDialog::reject);  // also Escape
  connect(FList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (item && item == FList->currentItem()) ButtonLoadClick();
  });
  connect(FList, &QTreeWidget::itemSelectionChanged, this, &TFormHistory::UpdateButtons);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(FButtonModify);
  buttons->addStretch(1);
  buttons->addWidget(FButtonLoad);
  buttons->addWidget(FButtonClose);
  auto* caption = new QLabel(Tr(N_("Loaded files")), this);
  caption->setBuddy(FList);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(FList, 1);
  layout->addLayout(buttons);
  resize(sizeHint().width(), 420);
  UpdateButtons();
}

TFormHistory::~TFormHistory() = default;

void TFormHistory::ShowPage(THistoryPage* page, TPlayerGrid* grid) {
  FCurrentPage = page;
  if (FHost.CurrentPageChanged) FHost.CurrentPageChanged(CurrentPageIndex());
  if (FHost.IsComparisonOn && FHost.IsComparisonOn() && FHost.RunPlayerComparison) FHost.RunPlayerComparison();
  if (!page) return;
  if (grid) {
    grid->Clear();
    grid->LoadPage(*page);
  }
  const bool arena = !page->Team.TeamName.empty();
  if (FHost.SetArenaAdvisorEnabled && (!FHost.IsArenaAdvisorEnabled || FHost.IsArenaAdvisorEnabled() != arena))
    FHost.SetArenaAdvisorEnabled(arena);
}

void TFormHistory::FillList() {
  FList->clear();
  std::vector<THistoryListItem> rows = FHistory.FillList();
  // Newest date first; two snapshots of one day (a round downloaded late and the next one early) newest
  // week first.
  std::stable_sort(rows.begin(), rows.end(), [](const THistoryListItem& a, const THistoryListItem& b) {
    const int date = QString::compare(FromUtf8(a.Date), FromUtf8(b.Date), Qt::CaseInsensitive);
    if (date != 0) return date > 0;
    return QString::compare(FromUtf8(a.Week), FromUtf8(b.Week), Qt::CaseInsensitive) > 0;
  });
  const THistoryPage* currentPage = CurrentPage();
  QTreeWidgetItem* current = nullptr;
  QList<QTreeWidgetItem*> items;
  for (const THistoryListItem& row : rows) {
    auto* item = new QTreeWidgetItem(QStringList{FromUtf8(row.Date), FromUtf8(row.Day), FromUtf8(row.Week),
                                                 FromUtf8(row.Matches), FromUtf8(row.Training),
                                                 FromUtf8(row.FileName)});
    for (int c = 0; c < HistoryColumnCount; ++c)
      if (Columns[c].Centred) item->setTextAlignment(c, Qt::AlignCenter);
    item->setData(0, PageRole, QVariant::fromValue(static_cast<void*>(row.Page)));
    if (row.Page == currentPage) current = item;
    items << item;
  }
  FList->addTopLevelItems(items);
  if (!current && !items.isEmpty()) current = items.first();
  if (current) FList->setCurrentItem(current);
  UpdateButtons();
}

THistoryPage* TFormHistory::InStore(THistoryPage* page) const {
  if (!page) return nullptr;
  for (int i = FHistory.Count(); i >= 1; --i)
    if (&FHistory.Page(i) == page) return page;
  return nullptr;
}

int TFormHistory::CurrentPageIndex() const {
  if (!FCurrentPage) return 0;
  for (int i = FHistory.Count(); i >= 1; --i)
    if (&FHistory.Page(i) == FCurrentPage) return i;
  return 0;
}

THistoryPage* TFormHistory::RowPage(const QTreeWidgetItem* item) const {
  return item ? InStore(static_cast<THistoryPage*>(item->data(0, PageRole).value<void*>())) : nullptr;
}

THistoryPage* TFormHistory::SelectedPage() const {
  const QList<QTreeWidgetItem*> selected = FList->selectedItems();
  return selected.isEmpty() ? nullptr : RowPage(selected.first());
}

void TFormHistory::UpdateButtons() {
  const THistoryPage* page = SelectedPage();
  FButtonLoad->setEnabled(page != nullptr);
  // A record file has no training file to correct.
  FButtonModify->setEnabled(page && page->IsXml);
}

void TFormHistory::ButtonLoadClick() {
  THistoryPage* page = SelectedPage();
  if (!page) return;
  TPlayerGrid* grid = Preferences().LoadPlayersToTempGird ? FHost.TempGrid : FHost.MainGrid;
  ShowPage(page, grid);
  close();
}

void TFormHistory::ModifyTrainingTypeDropDown() {
  const QList<QTreeWidgetItem*> selected = FList->selectedItems();
  const QString training = selected.isEmpty() ? QString() : selected.first()->text(hcTraining);
  for (QAction* action : FTrainingMenu->actions()) action->setChecked(!training.isEmpty() && action->text() == training);
}

bool TFormHistory::ModifyTrainingType(int trainingType) {
  const QList<QTreeWidgetItem*> selected = FList->selectedItems();
  if (selected.isEmpty() || trainingType < 0 || trainingType >= TrainingTypeCount) return false;
  QTreeWidgetItem* item = selected.first();
  THistoryPage* page = RowPage(item);
  const QString name = QString::fromUtf8(TrainingTypeName(trainingType));
  // The checked item (the row's type) does nothing.
  if (!page || item->text(hcTraining) == name) return false;
  if (!page->IsXml) return false;
  // The snapshot's own training file: its name shares the page's file name prefix (the download day), which
  // may differ from the date the server wrote into the world file.
  const std::filesystem::path file = SnapshotSibling(page->FileName, TSnapshotKind::Training);
  const QString question = FromUtf8(FormatText(_("Training type value in file \"%s\" is about to be changed."),
                                               file.filename().string().c_str())) +
                           QStringLiteral("\r\n\r\n") + Tr(N_("Do you wish to proceed?"));
  if (AskQuestion(this, TQuestionIcon::Warning, question, mbYes | mbNo) != mbYes) return false;
  try {
    pugi::xml_document doc;
    LoadXMLFile(file, doc);
    pugi::xml_node node = doc.document_element().child("Team").child("TrainingType");
    if (!node) throw EInOutError("TrainingType missing in " + file.string());
    node.text().set(trainingType);
    SaveXMLFile(doc, file);
    if (FHost.CloseHistoryGraphs) FHost.CloseHistoryGraphs();
    page->Training.TrainingType = trainingType;
    item->setText(hcTraining, name);
    for (TPlayerGrid* grid : {FHost.MainGrid, FHost.TempGrid})
      if (grid) grid->viewport()->update();
  } catch (const std::exception&) {
    ShowErrorMessage(this, Tr(N_("Operation could NOT be completed successfully!")));
    return false;
  }
  return true;
}

void TFormHistory::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  FillList();
  FList->setFocus();
}

void TFormHistory::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous() && FHost.Closed) FHost.Closed();
}
