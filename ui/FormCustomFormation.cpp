#include "ui/FormCustomFormation.h"

#include "core/Intl.h"
#include "ui/FormTacticsAdvisor.h"
#include "ui/FormationDisplay.h"
#include "ui/Icons.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QString T(const char* text) { return QString::fromUtf8(_(text)); }

const char* const CountCaptions[TFormCustomFormation::rcCount] = {N_("CD"), N_("WB"), N_("CM"), N_("W"), N_("F")};
const char* const CountHints[TFormCustomFormation::rcCount] = {N_("Central defenders"), N_("Wing backs"),
                                                               N_("Inner midfielders"), N_("Wingers"), N_("Forwards")};
constexpr int CountMaximum[TFormCustomFormation::rcCount] = {10, 2, 10, 2, 10};
constexpr uint8_t RoleOfCount[TFormCustomFormation::rcCount] = {rfCentralDefender, rfWingBack, rfInnerMidfielder,
                                                              rfWinger, rfForward};
const char* const TemplateCaptions[TFormCustomFormation::TemplateCount - 1] = {
    "4 - 4 - 2", "4 - 3 - 3", "4 - 5 - 1", "3 - 5 - 2", "5 - 3 - 2", "3 - 4 - 3", "5 - 4 - 1"};

constexpr int DisplayLeft = 8;
constexpr int DisplayTop = 8;
constexpr int DisplayWidth = 560;
constexpr int DisplayHeight = 336;
constexpr int PanelWidth = 260;
}  // namespace

int TFormCustomFormation::TemplateCode(const QString& caption) {
  if (caption.size() < 9) return 0;
  const QChar d = caption[0], m = caption[4], f = caption[8];
  if (!d.isDigit() || !m.isDigit() || !f.isDigit()) return 0;
  return d.digitValue() * 100 + m.digitValue() * 10 + f.digitValue();
}

TFormCustomFormation::TFormCustomFormation(TFormTacticsAdvisor& advisor)
    : QWidget(&advisor, Qt::Window), FAdvisor(advisor) {
  setWindowTitle(T(N_("Custom Formation")));
  setWindowIcon(ToolIcon(iiTacticsAdvisor));

  FDisplay = new TFormationDisplay(this, QRect(DisplayLeft, DisplayTop, DisplayWidth, DisplayHeight));

  auto* panel = new QWidget(this);
  const int panelLeft = DisplayLeft + DisplayWidth + 10;
  panel->setGeometry(panelLeft, DisplayTop, PanelWidth, DisplayHeight);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);

  auto* counts = new QGroupBox(T(N_("Roles")), panel);
  auto* countGrid = new QGridLayout(counts);
  // One column per role: the caption above its count.
  for (int c = 0; c < rcCount; ++c) {
    auto* label = new QLabel(T(CountCaptions[c]), counts);
    label->setToolTip(T(CountHints[c]));
    label->setAlignment(Qt::AlignCenter);
    auto* spin = new QSpinBox(counts);
    spin->setRange(0, CountMaximum[c]);
    spin->setValue(2);
    spin->setToolTip(T(CountHints[c]));
    label->setBuddy(spin);
    countGrid->addWidget(label, 0, c);
    countGrid->addWidget(spin, 1, c);
    FCounts[static_cast<size_t>(c)] = spin;
    connect(spin, &QSpinBox::valueChanged, this,
            [this, c](int value) { CountChange(static_cast<TRoleCount>(c), value); });
  }
  column->addWidget(counts);

  auto* templates = new QGroupBox(T(N_("Formation template")), panel);
  auto* templateGrid = new QGridLayout(templates);
  FTemplateGroup = new QButtonGroup(this);
  for (int i = 0; i < TemplateCount; ++i) {
    const QString caption = i < OtherTemplate ? QString::fromLatin1(TemplateCaptions[i]) : T(N_("Other"));
    auto* radio = new QRadioButton(caption, templates);
    templateGrid->addWidget(radio, i % 4, i / 4);
    FTemplateGroup->addButton(radio, i);
    FTemplates[static_cast<size_t>(i)] = radio;
  }
  FTemplates[0]->setChecked(true);
  connect(FTemplateGroup, &QButtonGroup::idClicked, this, &TFormCustomFormation::TemplateClick);
  column->addWidget(templates);
  column->addStretch(1);

  FButtonClear = new QPushButton(T(N_("&Clear")), panel);
  FButtonClear->setToolTip(T(N_("Remove every player from the places")));
  column->addWidget(FButtonClear);
  auto* buttons = new QHBoxLayout;
  FButtonGO = new QPushButton(T(N_("G&O")), panel);
  FButtonCancel = new QPushButton(T(N_("Cancel")), panel);
  buttons->addWidget(FButtonGO);
  buttons->addWidget(FButtonCancel);
  column->addLayout(buttons);
  connect(FButtonClear, &QPushButton::clicked, this, &TFormCustomFormation::ButtonClearClick);
  connect(FButtonGO, &QPushButton::clicked, this, &TFormCustomFormation::ButtonGOClick);
  connect(FButtonCancel, &QPushButton::clicked, this, &TFormCustomFormation::ButtonCancelClick);

  setFixedSize(panelLeft + PanelWidth + 8, DisplayTop + DisplayHeight + 8);
  RolesFromCounts();
  UpdateGO();
  advisor.SetCustomFormation(this);
}

TFormCustomFormation::~TFormCustomFormation() { FAdvisor.SetCustomFormation(nullptr); }

void TFormCustomFormation::Open(const QStringList& fieldNames, const QStringList& keeperNames, bool goEnabled) {
  FDisplay->SetNames(fieldNames, keeperNames);
  FGOAllowed = goEnabled;
  FAdvisor.SetControlsEnabled(false);
  FKeptRoles = FDisplay->Roles();
  UpdateGO();
  show();
  raise();
  activateWindow();
}

int TFormCustomFormation::Count(TRoleCount count) const { return FValues[static_cast<size_t>(count)]; }

int TFormCustomFormation::Total() const {
  int total = 0;
  for (int value : FValues) total += value;
  return total;
}

int TFormCustomFormation::CheckedTemplate() const { return FTemplateGroup->checkedId(); }

void TFormCustomFormation::ClickTemplate(const QString& caption) {
  for (QRadioButton* radio : FTemplates)
    if (radio->text() == caption) {
      radio->click();
      return;
    }
}

void TFormCustomFormation::StepCount(TRoleCount count, int delta) {
  QSpinBox& spin = *FCounts[static_cast<size_t>(count)];
  spin.setValue(spin.value() + delta);
}

void TFormCustomFormation::TemplateClick(int index) {
  if (index < 0 || index >= OtherTemplate) return;
  const int code = TemplateCode(FTemplates[static_cast<size_t>(index)]->text());
  if (code == 0) return;
  const int d = code / 100, m = code / 10 % 10, f = code % 10;
  FValues = {d - 2, 2, m - 2, 2, f};
  FUpdating = true;
  for (int c = 0; c < rcCount; ++c) FCounts[static_cast<size_t>(c)]->setValue(FValues[static_cast<size_t>(c)]);
  FUpdating = false;
  FDisplay->SetFormation(code);
  UpdateGO();
}

void TFormCustomFormation::CountChange(TRoleCount count, int value) {
  if (FUpdating) return;
  const int total = Total() - FValues[static_cast<size_t>(count)] + value;
  if (total > 10) {
    // Refused: the spin goes back.
    FUpdating = true;
    FCounts[static_cast<size_t>(count)]->setValue(FValues[static_cast<size_t>(count)]);
    FUpdating = false;
    return;
  }
  FValues[static_cast<size_t>(count)] = value;
  RolesFromCounts();
  CheckMatchingTemplate();
  UpdateGO();
}

void TFormCustomFormation::RolesFromCounts() {
  TRoleArray roles = FDisplay->Roles();
  int slot = 1;
  for (int c = 0; c < rcCount; ++c)
    for (int k = 0; k < FValues[static_cast<size_t>(c)] && slot <= TTeam::LastStarterSlot; ++k)
      roles[static_cast<size_t>(slot++)] = RoleOfCount[c];
  // Places beyond the total have no role.
  for (; slot <= TTeam::LastStarterSlot; ++slot) roles[static_cast<size_t>(slot)] = 0;
  FDisplay->SetRoles(roles);
}

void TFormCustomFormation::CountsFromRoles() {
  const TRoleArray roles = FDisplay->Roles();
  FValues = {};
  for (int slot = 1; slot <= TTeam::LastStarterSlot; ++slot)
    for (int c = 0; c < rcCount; ++c)
      if (roles[static_cast<size_t>(slot)] == RoleOfCount[c]) ++FValues[static_cast<size_t>(c)];
  FUpdating = true;
  for (int c = 0; c < rcCount; ++c) FCounts[static_cast<size_t>(c)]->setValue(FValues[static_cast<size_t>(c)]);
  FUpdating = false;
  CheckMatchingTemplate();
  UpdateGO();
}

void TFormCustomFormation::CheckMatchingTemplate() {
  if (Total() != 10) return;
  const int code = (FValues[rcCentralDefenders] + FValues[rcWingBacks]) * 100 +
                   (FValues[rcInnerMidfielders] + FValues[rcWingers]) * 10 + FValues[rcForwards];
  int match = OtherTemplate;
  for (int i = 0; i < OtherTemplate; ++i)
    if (TemplateCode(FTemplates[static_cast<size_t>(i)]->text()) == code) match = i;
  FTemplates[static_cast<size_t>(match)]->setChecked(true);
}

void TFormCustomFormation::UpdateGO() { FButtonGO->setEnabled(FGOAllowed && Total() == 10); }

void TFormCustomFormation::ButtonClearClick() { FDisplay->ClearNames(); }

void TFormCustomFormation::ButtonGOClick() {
  if (Total() != 10) return;
  close();
  FAdvisor.ButtonGOClick(true);
}

void TFormCustomFormation::ButtonCancelClick() {
  FDisplay->SetRoles(FKeptRoles);
  CountsFromRoles();
  close();
}

void TFormCustomFormation::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  FAdvisor.SetControlsEnabled(true);
}

void TFormCustomFormation::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    ButtonCancelClick();
    return;
  }
  QWidget::keyPressEvent(event);
}
