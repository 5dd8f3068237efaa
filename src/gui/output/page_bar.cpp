#include "gui/output/page_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/output/page_fields.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

QPushButton* Hinted(QWidget* parent, const char* caption, const char* hint) {
  auto* b = new QPushButton(FromCp(caption), parent);
  b->setToolTip(FromCp(hint));
  b->setObjectName(FromCp(hint));
  return b;
}

PageBar AddPageBar(QWidget* owner, QHBoxLayout* bar, const PageBarHooks& hooks) {
  struct Move {
    const char* caption;
    const char* hint;
    std::optional<int> (PageFields::*step)();
  };
  for (const Move& m : {Move{"|<", "Prvni stranka", &PageFields::First},
                        Move{"<", "Predchazejici stranka", &PageFields::Prior},
                        Move{">", "Nasledujici stranka", &PageFields::Next},
                        Move{">|", "Posledni stranka", &PageFields::Last}}) {
    auto* b = Hinted(owner, m.caption, m.hint);
    auto step = m.step;
    QObject::connect(b, &QPushButton::clicked, owner, [hooks, step] {
      hooks.run([&] {
        if (!hooks.mayLeave()) return;
        hooks.show((hooks.fields().*step)());
      });
    });
    bar->addWidget(b);
  }
  PageBar fields;
  bar->addWidget(new QLabel(FromCp("Str1:"), owner));
  fields.str1 = new QLineEdit(owner);
  fields.str1->setFixedWidth(60);
  bar->addWidget(fields.str1);
  bar->addWidget(new QLabel(FromCp("Str2:"), owner));
  fields.str2 = new QLineEdit(owner);
  fields.str2->setFixedWidth(60);
  bar->addWidget(fields.str2);
  auto leave = [hooks](QLineEdit* field, bool first) {
    hooks.run([&] {
      PageFields& f = hooks.fields();
      (first ? f.Str1() : f.Str2()) = ToCp(field->text());
      const bool ok = first ? f.LeaveStr1() : f.LeaveStr2();
      hooks.sync();
      if (!ok) field->setFocus();
    });
  };
  QLineEdit* str1 = fields.str1;
  QLineEdit* str2 = fields.str2;
  QObject::connect(str1, &QLineEdit::editingFinished, owner, [leave, str1] { leave(str1, true); });
  QObject::connect(str2, &QLineEdit::editingFinished, owner, [leave, str2] { leave(str2, false); });
  auto* showStr1 = Hinted(owner, "Str1", "Zobrazeni stranky Str1");
  QObject::connect(showStr1, &QPushButton::clicked, owner, [hooks, str1] {
    hooks.run([&] {
      if (!hooks.mayLeave()) return;
      hooks.fields().Str1() = ToCp(str1->text());
      hooks.show(hooks.fields().ShowStr1());
    });
  });
  bar->addWidget(showStr1);
  return fields;
}

}  // namespace orvo::gui
