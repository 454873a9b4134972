#include "ui/data/my_open_dialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QToolTip>
#include <QVBoxLayout>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "base/line_reader.h"
#include "base/text_encoding.h"
#include "ui/widgets/file_dialogs.h"

namespace kartela {
namespace {

// Enough for the first lines of any text the previews show.
constexpr std::streamsize kPreviewBytes = 64 * 1024;
constexpr int kPanelMargin = 6;

std::string ErrorText(int error) {
  return std::error_code(error, std::generic_category()).message();
}

}  // namespace

TextLine ReadTextLine(const std::filesystem::path& path, int line_number) {
  std::error_code status_error;
  if (std::filesystem::is_directory(path, status_error)) {
    return {false, {}, ErrorText(static_cast<int>(std::errc::is_a_directory))};
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return {false, {}, ErrorText(errno)};
  std::string bytes(static_cast<std::size_t>(kPreviewBytes), '\0');
  in.read(bytes.data(), kPreviewBytes);
  if (in.bad()) return {false, {}, ErrorText(errno)};
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  // A longer file is judged without its last line, which may end inside a
  // character and would make UTF-8 look like Shift-JIS.
  if (in.gcount() == kPreviewBytes) bytes.resize(bytes.find_last_of('\n') + 1);
  const DecodedText text = DecodeFileText(bytes);
  LineReader reader(text.bytes);
  std::string line;
  for (int n = 1; n <= line_number; ++n) {
    if (!reader.Next(line)) return {true, {}, {}};
  }
  return {true, line, {}};
}

TMyOpenDialog::TMyOpenDialog(QWidget* parent) : QFileDialog(parent) {
  // The platform's own dialog cannot carry the panel.
  PrepareFileDialog(*this);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::AnyFile);  // the caller completes a name without extension

  auto* base_panel = new QWidget(this);
  base_panel->setObjectName(QStringLiteral("BasePanel"));
  auto* base_layout = new QVBoxLayout(base_panel);
  base_layout->setContentsMargins(kPanelMargin, kPanelMargin, kPanelMargin, kPanelMargin);
  base_layout->addWidget(new QLabel(QStringLiteral("コメント:"), base_panel));

  auto* comment_panel = new QFrame(base_panel);
  comment_panel->setObjectName(QStringLiteral("CommentPanel"));
  comment_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* comment_layout = new QVBoxLayout(comment_panel);
  comment_layout->setContentsMargins(kPanelMargin, kPanelMargin, kPanelMargin, kPanelMargin);
  comment_label_ = new QLabel(comment_panel);
  comment_label_->setObjectName(QStringLiteral("CommentLabel"));
  comment_label_->setTextFormat(Qt::PlainText);  // file text, never markup
  comment_label_->setWordWrap(true);
  comment_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont larger = comment_label_->font();
  if (larger.pointSize() > 0) {
    larger.setPointSize(larger.pointSize() + larger.pointSize() / 3);
  } else {
    larger.setPixelSize(larger.pixelSize() + larger.pixelSize() / 3);
  }
  comment_label_->setFont(larger);
  comment_layout->addWidget(comment_label_);
  base_layout->addWidget(comment_panel, 1);
  base_panel->setMinimumWidth(fontMetrics().horizontalAdvance(QChar(0x3042)) * 12);

  // The panel fills the height to the right of the standard controls.
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(base_panel, 0, grid->columnCount(), grid->rowCount(), 1);
  }
  connect(this, &QFileDialog::currentChanged, this, &TMyOpenDialog::ShowComment);
}

QString TMyOpenDialog::Comment() const {
  return comment_label_->text();
}

void TMyOpenDialog::ShowComment(const QString& path) {
  const QByteArray utf8 = path.toUtf8();
  const std::filesystem::path file(std::u8string(utf8.begin(), utf8.end()));
  std::error_code error;
  TextLine line;
  if (std::filesystem::is_regular_file(file, error)) line = ReadTextLine(file, preview_line_);
  comment_label_->setText(line.ok ? QString::fromStdString(sjis::ToUtf8Lossy(line.text))
                                  : QString());
}

void TMyOpenDialog::done(int result) {
  QToolTip::hideText();
  QFileDialog::done(result);
}

}  // namespace kartela
