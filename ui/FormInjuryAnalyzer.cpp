#include "ui/FormInjuryAnalyzer.h"

#include "core/Clock.h"
#include "core/Intl.h"
#include "ui/FormMain.h"
#include "ui/Icons.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QString T(const char* text) { return QString::fromUtf8(_(text)); }

const char* const RowCaptions[rrCount] = {N_("Bruised but training:"), N_("Bruised but playing:"), N_("Healthy:")};

QString ValueText(TClock::time_point today, int days) {
  // The label breaks at "\n"; a "\r" would show as a stray character on some platforms.
  return QString::fromStdString(RecoveryValueText(today, days)).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}
}  // namespace

TFormInjuryAnalyzer::TFormInjuryAnalyzer(TFormMain& main) : QWidget(&main, Qt::Window), FMain(main) {
  setWindowTitle(T(N_("Injury Analyzer")));
  setWindowIcon(ToolIcon(iiInjuryAnalyzer));

  auto* outer = new QVBoxLayout(this);
  auto* inputs = new QFormLayout;
  FSpinWeeks = new QSpinBox(this);
  FSpinWeeks->setRange(InjuryWeeksMin, InjuryWeeksMax);
  FSpinWeeks->setValue(InjuryWeeksMin);
  FSpinAge = new QSpinBox(this);
  FSpinAge->setRange(InjuryAgeMin, InjuryAgeMax);
  FSpinAge->setValue(InjuryAgeMin);
  FSpinDoctors = new QSpinBox(this);
  FSpinDoctors->setRange(0, InjuryDoctorsMax);
  inputs->addRow(T(N_("Injury weeks")), FSpinWeeks);
  inputs->addRow(T(N_("Player age")), FSpinAge);
  inputs->addRow(T(N_("Doctors")), FSpinDoctors);
  outer->addLayout(inputs);

  auto* dates = new QGroupBox(T(N_("Recovery Dates")), this);
  auto* grid = new QGridLayout(dates);
  for (int row = 0; row < rrCount; ++row) {
    TRowLabels& labels = FRows[static_cast<size_t>(row)];
    labels.Header = new QLabel(T(RowCaptions[row]), dates);
    labels.Minimum = new QLabel(dates);
    labels.Separator = new QLabel(QStringLiteral("-"), dates);
    labels.Maximum = new QLabel(dates);
    labels.Minimum->setAlignment(Qt::AlignCenter);
    labels.Maximum->setAlignment(Qt::AlignCenter);
    grid->addWidget(labels.Header, row, 0);
    grid->addWidget(labels.Minimum, row, 1);
    grid->addWidget(labels.Separator, row, 2);
    grid->addWidget(labels.Maximum, row, 3);
  }
  outer->addWidget(dates);
  outer->addStretch(1);

  for (QSpinBox* spin : {FSpinWeeks, FSpinAge, FSpinDoctors})
    connect(spin, &QSpinBox::valueChanged, this, [this] { Calculate(); });
  // A cleared weeks field is the blank value, -1 (no rows); the spin box alone would keep the old value.
  connect(FSpinWeeks->findChild<QLineEdit*>(), &QLineEdit::textChanged, this, [this] {
    if (FSpinWeeks->cleanText().trimmed().isEmpty() && FSpinWeeks->value() != InjuryWeeksMin)
      FSpinWeeks->setValue(InjuryWeeksMin);
  });
  connect(&FMain, &TFormMain::InjuryAnalyzerExport, this, &TFormInjuryAnalyzer::ApplyExport);
  // The window is sized for all three rows with their widest values, so that it does not open as an empty
  // frame and jump when the first row appears.
  for (const TRowLabels& labels : FRows) {
    labels.Minimum->setText(ValueText(TClock::Now(), 888));
    labels.Maximum->setText(ValueText(TClock::Now(), 888));
  }
  resize(sizeHint().expandedTo(QSize(260, 0)));
  Calculate();
  FMain.RegisterToolWindow(iiInjuryAnalyzer, this);
}

TFormInjuryAnalyzer::~TFormInjuryAnalyzer() { FMain.RegisterToolWindow(iiInjuryAnalyzer, nullptr); }

void TFormInjuryAnalyzer::ApplyExport(int injuryWeeks, int age, int doctors) {
  // The spins clamp what lies outside their ranges.
  const QSignalBlocker blockWeeks(FSpinWeeks), blockAge(FSpinAge), blockDoctors(FSpinDoctors);
  FSpinWeeks->setValue(injuryWeeks);
  FSpinAge->setValue(age);
  FSpinDoctors->setValue(doctors);
  Calculate();
}

void TFormInjuryAnalyzer::Calculate() {
  const auto today = TClock::Now();
  const auto ranges = RecoveryRanges(FSpinWeeks->value(), FSpinAge->value(), FSpinDoctors->value());
  for (int row = 0; row < rrCount; ++row) {
    const TRecoveryRange& range = ranges[static_cast<size_t>(row)];
    const TRowLabels& labels = FRows[static_cast<size_t>(row)];
    if (range.Visible) {
      labels.Minimum->setText(ValueText(today, range.MinDays));
      labels.Maximum->setText(ValueText(today, range.MaxDays));
    }
    for (QLabel* label : {labels.Header, labels.Minimum, labels.Separator, labels.Maximum})
      label->setVisible(range.Visible);
  }
}

void TFormInjuryAnalyzer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Calculate();
}

void TFormInjuryAnalyzer::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  FMain.ReleaseToolButton(iiInjuryAnalyzer);
}
