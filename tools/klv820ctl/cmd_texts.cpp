// texts [--language N]   the 135 interface texts in table order, one per line

#include <QRegularExpression>

#include "Ctl.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"

namespace {

// Accepts "N" as a plain decimal number 0..9 (no blanks, no sign).
bool ParseLanguage(const QString& text, int* language) {
  static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
  if (!digits.match(text).hasMatch()) return false;
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < 0 || v >= LanguageCount) return false;
  *language = v;
  return true;
}

}  // namespace

int CtlLanguageOption(CtlContext& ctx, const QString& usage, int* language) {
  QString value;
  bool given = false;
  QStringList args = ctx.args;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (a == QLatin1String("--language")) {
      if (args.isEmpty()) return CtlFail(ctx, CtlUsage, QStringLiteral("--language needs a number 0..9"));
      value = args.takeFirst();
    } else if (a.startsWith(QLatin1String("--language="))) {
      value = a.mid(11);
    } else {
      return CtlFail(ctx, CtlUsage, usage);
    }
    if (given) return CtlFail(ctx, CtlUsage, QStringLiteral("--language given twice"));
    given = true;
  }
  *language = -1;
  if (given && !ParseLanguage(value, language))
    return CtlFail(ctx, CtlUsage, QStringLiteral("bad language (an integer 0..9): %1").arg(value));
  return CtlOk;
}

namespace {

int TextsCommand(CtlContext& ctx) {
  int language = -1;
  if (const int rc = CtlLanguageOption(ctx, QStringLiteral("usage: texts [--language N]"), &language))
    return rc;
  if (language < 0) language = TLoadSave::ReadLanguage();

  for (int i = 0; i < TextCount; ++i) {
    QString text = GetText(static_cast<TextId>(i), language);
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    ctx.out << text << '\n';
  }
  return CtlOk;
}

const CtlCommand kTexts("texts", "texts [--language N]", TextsCommand);

}  // namespace
