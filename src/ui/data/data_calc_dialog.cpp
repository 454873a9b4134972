#include "ui/data/data_calc_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <set>

#include "base/text_encoding.h"
#include "model/data_file.h"
#include "ui/widgets/division_fields.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/qt_text.h"

namespace kartela {
namespace {

// Data files looked at in each directory when the dialog opens.
constexpr int kMaxFilesScanned = 200;

// Keeps the reasons of a read for the dialog instead of showing them.
class ReasonRecorder : public Reporter {
 public:
  void Show(const CatalogueMessage& message) override { text = message.text; }
  bool AskOkCancel(std::string_view, std::string_view) override { return false; }
  Answer AskYesNoCancel(std::string_view, std::string_view) override { return Answer::kCancel; }
  void ShowNotice(std::string_view) override {}
  std::string text;
};

// The data files (by the data extension, any letter case) of `directory`.
std::vector<std::filesystem::path> DataFilesIn(const std::filesystem::path& directory,
                                               std::string_view data_ext) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  const QString extension = ShownText(data_ext).toUpper();
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    if (static_cast<int>(files.size()) >= kMaxFilesScanned) break;
    if (entry.is_regular_file(error) && PathText(entry.path().extension()).toUpper() == extension)
      files.push_back(entry.path());
  }
  std::ranges::sort(files);
  return files;
}

}  // namespace

TDataCalcDialog::TDataCalcDialog(AppContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      dividend_(new QLabel(this)),
      divisor_(new QComboBox(this)),
      division_(new DivisionFields(this)),
      title_(new QLineEdit(this)),
      report_(new QPlainTextEdit(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setObjectName("TDataCalcDialog");
  setWindowTitle("データの計算");
  dividend_->setObjectName("Dividend");
  divisor_->setObjectName("Divisor");
  divisor_->setMinimumContentsLength(40);
  title_->setObjectName("Title");
  report_->setObjectName("Report");
  report_->setReadOnly(true);
  report_->setMinimumHeight(100);

  auto* browse = new QPushButton("参照(&B)...", this);
  auto* divisor_row = new QHBoxLayout;
  divisor_row->addWidget(divisor_, 1);
  divisor_row->addWidget(browse);
  auto* divisor_label = new QLabel("割るデータ(&W)：", this);
  divisor_label->setBuddy(divisor_);
  auto* title_label = new QLabel("表題(&T)：", this);
  title_label->setBuddy(title_);
  auto* form = new QFormLayout(this);
  form->addRow("割られるデータ：", dividend_);
  form->addRow(divisor_label, divisor_row);
  form->addRow(division_);
  form->addRow(title_label, title_);
  form->addRow(report_);
  form->addRow(buttons_);

  connect(browse, &QPushButton::clicked, this, &TDataCalcDialog::ChooseFile);
  connect(divisor_, &QComboBox::currentIndexChanged, this, [this] {
    ProposeTitle();
    ShowResult();
  });
  connect(division_, &DivisionFields::Changed, this, &TDataCalcDialog::ShowResult);
  connect(title_, &QLineEdit::textChanged, this, &TDataCalcDialog::ShowResult);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TDataCalcDialog::Prepare(const QString& data_dir, const QString& filter) {
  data_dir_ = data_dir;
  filter_ = filter;
  const Workspace& workspace = context_.workspace;
  dividend_->setText(ShownText(workspace.data.DataTitle));
  divisors_.clear();
  {
    const QSignalBlocker block(divisor_);
    divisor_->clear();
  }
  // The data being divided is not offered as its own divisor.
  std::error_code error;
  std::set<std::filesystem::path> seen = {
      std::filesystem::weakly_canonical(workspace.data.DataFileName, error)};
  for (const auto& directory : {PathOf(data_dir), context_.paths.ProgramDir}) {
    if (directory.empty()) continue;
    for (const auto& path : DataFilesIn(directory, workspace.settings.DataExt)) {
      if (!seen.insert(std::filesystem::weakly_canonical(path, error)).second) continue;
      QString reason;
      if (auto divisor = ReadDivisor(path, reason)) divisors_.push_back(std::move(*divisor));
    }
  }
  const QSignalBlocker block(divisor_);
  for (const Divisor& divisor : divisors_) {
    divisor_->addItem(QString("%1（%2）")
                          .arg(ShownText(divisor.data.DataTitle))
                          .arg(PathText(divisor.path.filename())));
  }
  // The base map's own land areas first when there are some.
  const auto areas = std::ranges::find_if(divisors_, [](const Divisor& divisor) {
    return PathText(divisor.path.filename()).contains("面積");
  });
  divisor_->setCurrentIndex(
      divisors_.empty()
          ? -1
          : static_cast<int>(areas == divisors_.end() ? 0 : areas - divisors_.begin()));
  ProposeTitle();
  ShowResult();
}

std::optional<TDataCalcDialog::Divisor> TDataCalcDialog::ReadDivisor(
    const std::filesystem::path& path, QString& reason) const {
  ReasonRecorder recorder;
  AreaList areas;
  Divisor divisor{path, {}};
  if (!ReadDataFile(path, context_.paths.ProgramDir, areas, divisor.data, recorder)) {
    reason = Utf8Text(recorder.text);
    return std::nullopt;
  }
  const std::string refusal = DivisorAreasRefusal(context_.workspace.area_list, areas);
  if (!refusal.empty()) {
    reason = Utf8Text(refusal);
    return std::nullopt;
  }
  return divisor;
}

bool TDataCalcDialog::AddDivisorFile(const std::filesystem::path& path) {
  QString reason;
  auto divisor = ReadDivisor(path, reason);
  if (!divisor) {
    report_->setPlainText("割るデータにできません：" + reason);
    return false;
  }
  divisors_.push_back(std::move(*divisor));
  divisor_->addItem(QString("%1（%2）")
                        .arg(ShownText(divisors_.back().data.DataTitle))
                        .arg(PathText(path.filename())));
  divisor_->setCurrentIndex(divisor_->count() - 1);
  return true;
}

void TDataCalcDialog::ChooseFile() {
  const QString chosen = ChooseExistingFile(this, "割るデータファイルを開く", data_dir_, filter_);
  if (!chosen.isEmpty()) AddDivisorFile(PathOf(chosen));
}

const TDataCalcDialog::Divisor* TDataCalcDialog::ChosenDivisor() const {
  const int index = divisor_->currentIndex();
  return index >= 0 && index < static_cast<int>(divisors_.size())
             ? &divisors_[static_cast<std::size_t>(index)]
             : nullptr;
}

void TDataCalcDialog::ProposeTitle() {
  const Divisor* divisor = ChosenDivisor();
  if (divisor == nullptr) return;
  title_->setText(
      ShownText(DivisionTitle(context_.workspace.data.DataTitle, divisor->data.DataTitle)));
}

std::optional<DataDivision> TDataCalcDialog::Divide() const {
  const Divisor* divisor = ChosenDivisor();
  if (divisor == nullptr) return std::nullopt;
  const Workspace& workspace = context_.workspace;
  return DivideDataSet(workspace.area_list, workspace.data, divisor->data, division_->Value());
}

void TDataCalcDialog::ShowResult() {
  const auto result = Divide();
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(Result().has_value());
  if (!result) {
    report_->setPlainText(
        "同じ基本地図のデータファイルがありません。「参照...」で割るデータを選んでください。");
    return;
  }
  const int area_count = context_.workspace.area_list.AreaCount();
  const auto computed = area_count - static_cast<int>(result->report.LeftEmpty());
  QString text = QString("計算できる区域：%1 / %2\n").arg(computed).arg(area_count);
  text += Utf8Text(DivisionNote(context_.workspace.area_list, result->report));
  if (!SjisText(title_->text())) text += "表題にシフト JIS で表せない文字があります。\n";
  report_->setPlainText(text.trimmed());
}

std::optional<DataDivision> TDataCalcDialog::Result() const {
  auto result = Divide();
  const auto title = SjisText(title_->text());
  const auto area_count = static_cast<std::size_t>(context_.workspace.area_list.AreaCount());
  if (!result || !title || result->report.LeftEmpty() >= area_count) return std::nullopt;
  result->data.DataTitle = std::string(sjis::CutToBytes(*title, kMaxTitleBytes));
  return result;
}

}  // namespace kartela
