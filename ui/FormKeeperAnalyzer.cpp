#include "ui/FormKeeperAnalyzer.h"

#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "ratings/KeeperAnalyzer.h"
#include "ui/FormMain.h"
#include "ui/Icons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString T(const char* text) { return QString::fromUtf8(_(text)); }
}  // namespace

TFormKeeperAnalyzer::TFormKeeperAnalyzer(TFormMain& main) : QWidget(&main, Qt::Window), FMain(main) {
  setWindowTitle(T(N_("Keeper Analyzer")));
  setWindowIcon(ToolIcon(iiKeeperAnalyzer));

  auto* outer = new QHBoxLayout(this);

  // The scale: the track bar with the level names beside it, "divine" at the top.
  auto* scale = new QHBoxLayout;
  auto* names = new QVBoxLayout;
  names->setSpacing(0);
  for (int i = 0; i < 20; ++i) {
    auto* label = new QLabel(Q(SkillLevelName(20 - i)), this);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    names->addWidget(label);
    FScaleLabels[static_cast<size_t>(i)] = label;
  }
  scale->addLayout(names);
  FTrackBar = new QSlider(Qt::Vertical, this);
  FTrackBar->setRange(0, KeeperScaleMax);
  FTrackBar->setTickPosition(QSlider::TicksRight);
  FTrackBar->setTickInterval(10);
  // An output only: the user cannot move it.
  FTrackBar->setAttribute(Qt::WA_TransparentForMouseEvents);
  FTrackBar->setFocusPolicy(Qt::NoFocus);
  scale->addWidget(FTrackBar);
  outer->addLayout(scale);

  auto* right = new QVBoxLayout;
  auto* inputs = new QFormLayout;
  FEditTSI = new QLineEdit(this);
  FEditTSI->setMaxLength(15);
  inputs->addRow(T(N_("TSI:")), FEditTSI);
  FComboBoxForm = new QComboBox(this);
  for (int level = 1; level <= KeeperFormCount; ++level) FComboBoxForm->addItem(Q(SkillLevelName(level)));
  FComboBoxForm->setCurrentIndex(KeeperFormDefault);
  FComboBoxSecondForm = new QComboBox(this);
  FComboBoxSecondForm->addItems({T(N_("Low")), T(N_("Avr")), T(N_("High"))});
  FComboBoxSecondForm->setCurrentIndex(KeeperSecondFormDefault);
  auto* forms = new QHBoxLayout;
  forms->addWidget(FComboBoxForm, 1);
  forms->addWidget(FComboBoxSecondForm);
  inputs->addRow(T(N_("Form:")), forms);
  right->addLayout(inputs);

  FLabelSkill = new QLabel(this);
  QFont big = FLabelSkill->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  FLabelSkill->setFont(big);
  right->addWidget(FLabelSkill);
  auto* ends = new QHBoxLayout;
  FLabelLowEnd = new QLabel(this);
  FLabelHighEnd = new QLabel(this);
  FLabelHighEnd->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ends->addWidget(FLabelLowEnd);
  ends->addWidget(FLabelHighEnd);
  right->addLayout(ends);
  FProgressBarDetail = new QProgressBar(this);
  FProgressBarDetail->setRange(0, KeeperDetailMax);
  FProgressBarDetail->setTextVisible(false);
  right->addWidget(FProgressBarDetail);

  auto* notice = new QPlainTextEdit(this);
  notice->setReadOnly(true);
  notice->setPlainText(T(N_("The calculation follows the idea of an outside web tool for estimating keeper "
                            "skill. Its results may differ from that tool's.")));
  right->addWidget(notice, 1);
  outer->addLayout(right, 1);

  connect(FEditTSI, &QLineEdit::textChanged, this, [this] { Calculate(); });
  connect(FComboBoxForm, &QComboBox::currentIndexChanged, this, [this] { ComboBoxFormChange(); });
  connect(FComboBoxSecondForm, &QComboBox::currentIndexChanged, this, [this] { Calculate(); });
  connect(&FMain, &TFormMain::KeeperAnalyzerExport, this, &TFormKeeperAnalyzer::ApplyExport);
  Calculate();
  FMain.RegisterToolWindow(iiKeeperAnalyzer, this);
}

TFormKeeperAnalyzer::~TFormKeeperAnalyzer() { FMain.RegisterToolWindow(iiKeeperAnalyzer, nullptr); }

void TFormKeeperAnalyzer::ApplyExport(int tsi, int formItem, int secondFormItem) {
  // A form outside the game's 1..8 must still land on an item of the box.
  const int form = std::clamp(formItem, 0, KeeperFormLast);
  const int second = std::clamp(secondFormItem, 0, KeeperSecondFormCount - 1);
  FEditTSI->setText(QString::number(tsi));
  FComboBoxForm->setCurrentIndex(form);
  // With "excellent" the second box stays at "Low"; the exported choice returns with another level.
  if (form == KeeperFormLast)
    FRememberedSecondForm = second;
  else
    FComboBoxSecondForm->setCurrentIndex(second);
  Calculate();
}

void TFormKeeperAnalyzer::ComboBoxFormChange() {
  if (FComboBoxForm->currentIndex() == KeeperFormLast) {
    if (FComboBoxSecondForm->isEnabled()) FRememberedSecondForm = FComboBoxSecondForm->currentIndex();
    FComboBoxSecondForm->setEnabled(false);
    FComboBoxSecondForm->setCurrentIndex(KeeperSecondFormLow);
  } else if (!FComboBoxSecondForm->isEnabled()) {
    FComboBoxSecondForm->setEnabled(true);
    FComboBoxSecondForm->setCurrentIndex(FRememberedSecondForm);
  }
  Calculate();
}

void TFormKeeperAnalyzer::Calculate() {
  const TKeeperEstimate e = EstimateKeeper(FEditTSI->text().toStdString(), FComboBoxForm->currentIndex(),
                                           FComboBoxSecondForm->currentIndex());
  FTrackBar->setValue(std::min(e.ScalePosition, KeeperScaleMax));
  FProgressBarDetail->setValue(e.DetailPosition);
  FLabelSkill->setText(Q(e.SkillText));
  FLabelLowEnd->setText(Q(e.LowerLevel));
  FLabelHighEnd->setText(Q(e.UpperLevel));
}

void TFormKeeperAnalyzer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Calculate();
}

void TFormKeeperAnalyzer::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  FMain.ReleaseToolButton(iiKeeperAnalyzer);
}
