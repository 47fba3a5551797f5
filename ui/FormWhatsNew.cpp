#include "ui/FormWhatsNew.h"

#include "core/Credits.h"
#include "core/Intl.h"
#include "core/ReleaseNotes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString T(const char* text) { return QString::fromUtf8(_(text)); }
QString Q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

TFormWhatsNew::TFormWhatsNew(std::vector<std::filesystem::path> candidates, std::string version, QWidget* parent)
    : QDialog(parent), FCandidates(std::move(candidates)), FVersion(std::move(version)) {
  setObjectName("FormWhatsNew");
  setWindowTitle(T(N_("What's New")));
  auto* layout = new QVBoxLayout(this);
  FLabelHeading = new QLabel(this);
  QFont bold = FLabelHeading->font();
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  bold.setBold(true);
  FLabelHeading->setFont(bold);
  FLabelHeading->setWordWrap(true);
  layout->addWidget(FLabelHeading);
  FNotes = new QPlainTextEdit(this);
  FNotes->setReadOnly(true);
  // The notes are laid out with indents for items and their continuation lines.
  FNotes->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  layout->addWidget(FNotes, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(T(N_("Close")));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(720, 440);
  Reload();
}

void TFormWhatsNew::Reload() {
  const TWhatsNew news = WhatsNewFor(FVersion, FCandidates);
  FLabelHeading->setText(QString::fromUtf8(ProgramName) + " " +
                         (news.Found ? Q(news.Heading) : Q(FormatText(_("Version %s"), FVersion.c_str()))));
  FNotes->setPlainText(Q(news.Text));
}
