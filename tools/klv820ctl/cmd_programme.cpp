// programme [--language N]: the timer programme as the timer screen lists it

#include "Ctl.h"
#include "core/model/LoadSave.h"
#include "core/model/ProgAktie.h"

namespace {

// "ROOM.DEVICE" and "ROOMNAME/DEVICENAME", or "scene N" and the scene's name.
// A target outside the tables keeps its numbers and gets an empty name.
std::pair<QString, QString> Target(const TLoadSave& ls, const ProgAktie& e) {
  if (e.IsScene()) {
    const int s = e.Ruimte - 17;
    return {QStringLiteral("scene %1").arg(s), s < SceneCount ? ls.Scenes[s].Naam : QString()};
  }
  const QString id = QStringLiteral("%1.%2").arg(e.Ruimte).arg(e.Apparaat);
  if (e.Ruimte < 0 || e.Ruimte >= RoomCount || e.Apparaat < 0 || e.Apparaat >= DevicesPerRoom)
    return {id, QString()};
  const TRuimte& room = ls.Ruimtes[e.Ruimte];
  return {id, room.Naam + QLatin1Char('/') + room.Apparaten[e.Apparaat].Naam};
}

int ProgrammeCommand(CtlContext& ctx) {
  int language = -1;
  if (const int rc = CtlLanguageOption(ctx, QStringLiteral("usage: programme [--language N]"), &language))
    return rc;
  TLoadSave* ls = TLoadSave::Instance();
  if (language >= 0) ls->Language = language;  // in memory only: nothing is saved
  for (const KeyedAktie& k : SortedProgramme(*ls->Programma)) {
    const ProgAktie& e = *k.Entry;
    const auto [id, name] = Target(*ls, e);
    const ProgAktie::LineTexts t = e.Texts();
    ctx.out << id << '\t' << name << '\t' << t.Month << '\t' << t.Day.trimmed() << '\t' << t.Time << '\t'
            << t.Action << '\t' << (e.IsValid() ? "complete" : "incomplete") << '\n';
  }
  return CtlOk;
}

const CtlCommand kProgramme("programme", "programme [--language N]", ProgrammeCommand);

}  // namespace
