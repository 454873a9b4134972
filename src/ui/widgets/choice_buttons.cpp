#include "ui/widgets/choice_buttons.h"

#include <QDialog>
#include <QLayout>

namespace kartela {

QPushButton* AddResultButton(QDialog& dialog, QLayout& layout, const char* name,
                             const QString& caption, int result) {
  auto* button = new QPushButton(caption, &dialog);
  button->setObjectName(name);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, &dialog,
                   [&dialog, result] { dialog.done(result); });
  layout.addWidget(button);
  return button;
}

}  // namespace kartela
