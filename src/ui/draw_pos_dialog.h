// TDrawPosDialog: the offset added to every map coordinate before the
// magnification.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace kartela {

class OffsetBoxes;

class TDrawPosDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TDrawPosDialog(QWidget* parent = nullptr);
  ~TDrawPosDialog() override;

  void Load(std::int16_t pos_x, std::int16_t pos_y);
  // Each position whose box converts to a 16-bit whole number; a box that
  // does not keeps its value.
  void StoreInto(std::int16_t& pos_x, std::int16_t& pos_y) const;

 private:
  std::unique_ptr<OffsetBoxes> boxes_;
};

}  // namespace kartela
