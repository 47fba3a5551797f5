#include "ui/FormAbout.h"

#include "core/Credits.h"
#include "core/Intl.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString T(const char* text) { return QString::fromUtf8(_(text)); }
QString Q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

TFormAbout::TFormAbout(const std::filesystem::path& programFolder, QWidget* parent) : QDialog(parent) {
  setObjectName("FormAbout");
  setWindowTitle(Q(FormatText(_("About %s"), ProgramName)));
  auto* layout = new QVBoxLayout(this);

  auto* name = new QLabel(QString::fromUtf8(ProgramName), this);
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  name->setFont(big);
  layout->addWidget(name);
  FLabelVersion = new QLabel(Q(FormatText(_("Version %s"), PITCHBOOK_VERSION)), this);
  layout->addWidget(FLabelVersion);
  auto* purpose = new QLabel(T(N_("An assistant for the manager of a Kickvale club.")), this);
  purpose->setWordWrap(true);
  layout->addWidget(purpose);
  FLabelLicence = new QLabel(Q(FormatText(_("Licence: %s"), ProgramLicence)), this);
  layout->addWidget(FLabelLicence);
  layout->addSpacing(6);

  layout->addWidget(new QLabel(T(N_("Built with:")), this));
  const auto& credits = LibraryCredits();
  FLibraries = new QTableWidget(static_cast<int>(credits.size()), 3, this);
  FLibraries->setHorizontalHeaderLabels({T(N_("Library")), T(N_("Licence")), T(N_("Used for"))});
  for (int row = 0; row < static_cast<int>(credits.size()); ++row) {
    const auto& credit = credits[static_cast<size_t>(row)];
    FLibraries->setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(credit.Name)));
    FLibraries->setItem(row, 1, new QTableWidgetItem(QString::fromUtf8(credit.Licence)));
    FLibraries->setItem(row, 2, new QTableWidgetItem(T(credit.Use)));
  }
  FLibraries->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FLibraries->setSelectionMode(QAbstractItemView::NoSelection);
  FLibraries->setFocusPolicy(Qt::NoFocus);
  FLibraries->verticalHeader()->hide();
  FLibraries->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  FLibraries->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  FLibraries->horizontalHeader()->setStretchLastSection(true);
  // One line per library, and exactly as tall as its rows, so that the table never scrolls.
  FLibraries->setWordWrap(false);
  FLibraries->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  int height = FLibraries->horizontalHeader()->sizeHint().height() + 2 * FLibraries->frameWidth();
  for (int row = 0; row < FLibraries->rowCount(); ++row) height += FLibraries->rowHeight(row);
  FLibraries->setFixedHeight(height);
  FLibraries->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FLibraries->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  layout->addWidget(FLibraries);

  layout->addSpacing(6);
  layout->addWidget(new QLabel(T(N_("Program folder:")), this));
  FLabelFolder = new QLabel(QString::fromStdString(programFolder.string()), this);
  FLabelFolder->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  FLabelFolder->setWordWrap(true);
  layout->addWidget(FLabelFolder);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(T(N_("Close")));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(560, sizeHint().height());
}
