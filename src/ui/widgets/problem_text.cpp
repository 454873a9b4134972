#include "ui/widgets/problem_text.h"

#include "base/text_encoding.h"

namespace kartela {
namespace {

using geodata::ImportProblem;
using geodata::ProblemCode;

std::string Number(long long value) {
  return std::to_string(value);
}

std::string Quoted(const std::string& text) {
  return "「" + text + "」";
}

std::string Row(const ImportProblem& problem) {
  return Number(problem.row) + " 行目";
}

// "あるレイヤー：「a」、「b」".
std::string Choices(const char* what, const std::vector<std::string>& choices) {
  std::string list;
  for (const std::string& choice : choices)
    list += (list.empty() ? "" : "、") + Quoted(choice);
  return std::string("ある") + what + "：" + (list.empty() ? "（なし）" : list);
}

// Another program's own words, which only it can give, after what they
// concern: "（label：text）".
std::string Reported(const char* label, const std::string& text) {
  return text.empty() ? "" : std::string("（") + label + "：" + text + "）";
}

// GDAL's name of a geometry type, in a word for the kinds a layer holds
// instead of areas.
std::string ShapeText(const std::string& type) {
  if (type.find("Point") != std::string::npos) return "点";
  if (type.find("Line") != std::string::npos || type.find("Curve") != std::string::npos)
    return "線";
  return type;
}

// What the dialog offers for a source whose coordinate system is unknown.
constexpr const char* kSystemChoices =
    "座標系を指定するか、「平面座標としてそのまま使う」を選んでください。";

std::string EncodingText(const std::string& name) {
  const auto encoding = ParseEncodingName(name);
  return encoding == TextEncoding::kCp932 ? "シフトJIS" : "UTF-8";
}

}  // namespace

std::string ProblemText(const ImportProblem& p) {
  switch (p.code) {
    case ProblemCode::kPluginNotFound:
      return "GDAL プラグイン " + p.text +
             " がプログラムと同じ場所にもインストール先にも見つかりません。";
    case ProblemCode::kPluginNotLoadable:
      return "GDAL プラグイン" + Quoted(p.name) + "を読み込めません" +
             Reported("システムの報告", p.text) + "。";
    case ProblemCode::kPluginWithoutEntry:
      return Quoted(p.name) + "はこのプログラムの GDAL プラグインではないか、古い版のものです。";
    case ProblemCode::kPluginVersion:
      return "GDAL プラグイン" + Quoted(p.name) + "は版 " + Number(p.count) +
             " のもので、このプログラムには版 " + Number(p.limit) + " のものが必要です。";
    case ProblemCode::kPluginLayout:
      return "GDAL プラグイン" + Quoted(p.name) +
             "はこのプログラムと組み合わせられません（関数表が " + Number(p.count) +
             " バイト、必要なのは " + Number(p.limit) + " バイト）。";
    case ProblemCode::kFileNotFound:
      return "ファイルが見つかりません。";
    case ProblemCode::kFileNotOpened:
      return "ファイルを開けません。";
    case ProblemCode::kNotVectorFile:
      return "GDAL で読める境界データではありません" + Reported("GDAL の報告", p.text) + "。";
    case ProblemCode::kNoLayer:
      return "レイヤーがひとつもありません。";
    case ProblemCode::kLayerNotFound:
      return "レイヤー" + Quoted(p.name) + "がありません。" + Choices("レイヤー", p.choices);
    case ProblemCode::kNotPolygons:
      return "レイヤー" + Quoted(p.name) + "の図形は面でなく" + ShapeText(p.text) +
             "です。基本地図には面（ポリゴン）が必要です。";
    case ProblemCode::kNoNameField:
      return "名前の列が選ばれていません。";
    case ProblemCode::kFieldNotFound:
      return "レイヤー" + Quoted(p.text) + "に列" + Quoted(p.name) + "がありません。" +
             Choices("列", p.choices);
    case ProblemCode::kValueNotNumeric:
      return "列" + Quoted(p.name) + "は数値の列ではありません。";
    case ProblemCode::kNoCoordinateSystem:
      return "レイヤー" + Quoted(p.name) + "は座標系を示しておらず、経緯度でもありません。" +
             kSystemChoices;
    case ProblemCode::kNoLongitudeLatitude:
      return "レイヤー" + Quoted(p.name) + "の座標系は経緯度に直せません。";
    case ProblemCode::kValueTooLong:
      return Row(p) + "の値はデータの値として長すぎます。";
    case ProblemCode::kNameNotInEncoding:
      return Row(p) + "の名前は" + EncodingText(p.text) + "の文字として読めません。";
    case ProblemCode::kUnholdableName:
      return Row(p) + "の名前 \"" + p.text + "\" はシフトJISで書けない文字を含みます。";
    case ProblemCode::kEmptyName:
      return Row(p) + "の名前が空です。";
    case ProblemCode::kNameTooLong:
      return Row(p) + "の名前 \"" + p.text + "\" はシフトJISで " + Number(p.limit) +
             " バイトを超えます。";
    case ProblemCode::kNamesCollide:
      return Row(p) + "の名前" + Quoted(p.name) + "は" + Quoted(p.text) + "になり、" +
             Number(p.count) + " 行目の" + Quoted(p.choices.empty() ? "" : p.choices[0]) +
             "と区別できません。名前の列を選び直すか、まとめる列で行をまとめてください。";
    case ProblemCode::kBadSourceSystem:
      return "座標系" + Quoted(p.name) + "はわかりません" + Reported("GDAL の報告", p.text) +
             "。EPSG:6677 のように指定してください。";
    case ProblemCode::kNameTransliterated:
      return Row(p) + "：" + Quoted(p.name) + " → " + Quoted(p.text);
    case ProblemCode::kNameCut:
      return Row(p) + "：" + Quoted(p.name) + " → " + Quoted(p.text) + "（" + Number(p.limit) +
             " バイトまで）";
    case ProblemCode::kTakenAsLongitudeLatitude:
      return "レイヤー" + Quoted(p.name) +
             "は座標系を示していないため、数値を経緯度として読みました。" + "違う場合は、" +
             kSystemChoices;
    case ProblemCode::kNoGeometry:
      return Row(p) + "は図形がないため除きました。";
    case ProblemCode::kNotMoved:
      return Row(p) + "の図形は経緯度に直せないため除きました。";
    case ProblemCode::kGeometryRepaired:
      return Row(p) + "の図形は不正だったため修復しました。";
    case ProblemCode::kGeometryNotRepaired:
      return Row(p) + "の図形は不正で修復できないため除きました。";
    case ProblemCode::kNoPolygon:
      return Row(p) + "の図形は面でなく線か点のため除きました。";
    case ProblemCode::kNoRegionName:
      return Row(p) + (p.count > 0 ? "ほか " + Number(p.count) + " 行" : "") +
             "は名前がないため除きました。";
    case ProblemCode::kAreaWithoutPolygon:
      return Row(p) + "の区域" + Quoted(p.name) + "は面がないため除きました。";
    case ProblemCode::kNoAreaLeft:
      return "面のある区域がひとつも残らないため、地図を作れません。";
    case ProblemCode::kTooManyAreas:
      return "区域が " + Number(p.count) + " あり、基本地図に入る " + Number(p.limit) +
             " を超えます。まとめる列で行をまとめるか、範囲の狭いファイルを使ってください。";
    case ProblemCode::kTooManyPoints:
      return "境界の点が " + Number(p.count) + " あり、基本地図に入る " + Number(p.limit) +
             " を超えます。範囲の狭いファイルを使ってください。";
    case ProblemCode::kUnholdableTitle:
      return "表題 \"" + p.text + "\" はシフトJISで書けない文字を含みます。";
    case ProblemCode::kTitleTooLong:
      return "表題が長すぎます（改行を含まず、シフトJISで " + Number(p.limit) + " バイトまで）。";
    case ProblemCode::kBadProjection:
      return "投影法" + Quoted(p.name) + "は使えません。";
    case ProblemCode::kMapNotBuilt:
      return "境界データから地図を組み立てられません" + Reported("詳細", p.text) + "。";
    case ProblemCode::kNotATable:
      return "読み込める表のファイルではありません（.csv、.txt、.tsv、.xlsx、.ods）。";
    case ProblemCode::kTableUnreadable:
      return "表を読めません" + Reported("GDAL の報告", p.text) + "。";
    case ProblemCode::kNotAWorkbook:
      return "GDAL で読めるブックではありません" + Reported("GDAL の報告", p.text) + "。";
    case ProblemCode::kNoSheet:
      return "シートがひとつもありません。";
    case ProblemCode::kSheetNotFound:
      return "シート" + Quoted(p.name) + "がありません。" + Choices("シート", p.choices);
    case ProblemCode::kRowNotInEncoding:
      return Row(p) + "は" + EncodingText(p.text) +
             "の文字として読めません。文字コードを選び直してください。";
    case ProblemCode::kNoHeaderRow:
      return "見出しの行 " + Number(p.row) + " は表にありません（表は " + Number(p.count) +
             " 行）。";
    case ProblemCode::kColumnNotFound:
      return "見出しの行 " + Number(p.row) + " に列" + Quoted(p.name) + "がありません。" +
             Choices("列", p.choices);
    case ProblemCode::kCancelled:
      return "中止しました。";
  }
  return "原因のわからない失敗です。";
}

std::string ProblemText(const geodata::ImportProblems& problems) {
  return geodata::ListProblems(
      problems, [](const ImportProblem& problem) { return ProblemText(problem); },
      [](std::size_t more) { return "ほか " + std::to_string(more) + " 件"; });
}

}  // namespace kartela
