// Box commands: status, switch, scene, send, verify.
#include "BoxSession.h"
#include "Ctl.h"
#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"
#include "core/model/LoadSave.h"

namespace {

bool ParseIndex(const QString& text, int max, int* out) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < 0 || v > max) return false;
  *out = v;
  return true;
}

// Fails when the box went away or stopped answering during the command.
int Done(CtlContext& ctx, BoxSession& box) {
  if (!BoxConnected)
    return box.Finish(CtlFail(ctx, CtlFailed, QStringLiteral("the box was lost during the transfer")));
  if (box.Timeouts() > 0)
    return box.Finish(CtlFail(ctx, CtlFailed, QStringLiteral("the box did not answer")));
  return box.Finish(CtlOk);
}

int CmdStatus(CtlContext& ctx) {
  if (!ctx.args.isEmpty()) return CtlFail(ctx, CtlUsage, QStringLiteral("status takes no arguments"));
  BoxSession box(ctx);
  const int rc = box.Open(false);
  if (rc == CtlUsage) return rc;  // a bad state file: nothing is known about a box
  if (!BoxDevice) {
    ctx.out << "present: no\n";
    return rc;
  }
  ctx.out << "present: yes\n";
  ctx.out << "product id: " << BoxDevice->ProductId() << "\n";
  ctx.out << "version: " << BoxVersion << "\n";
  ctx.out << "product string: " << BoxDevice->ProductString() << "\n";
  // From the identity itself: a box that cannot be opened never reaches the
  // link's firmware check.
  const bool expected = BoxDevice->ProductId() == ExpectedProductId && BoxVersion == ExpectedFirmwareVersion;
  ctx.out << "expected firmware: " << (expected ? "yes" : "no") << "\n";
  if (rc != CtlOk) return rc;  // present but cannot be opened
  if (!BoxConnected) {
    ctx.out << "address: not readable (firmware update needed)\n";
    return box.Finish(CtlOk);
  }
  const BoxAddressCheck& a = LastAddressCheck;
  if (!a.Answered) return box.Finish(CtlFail(ctx, CtlFailed, QStringLiteral("the box did not answer")));
  ctx.out << "address: " << QString::asprintf("%02x%02x%02x", a.Address[0], a.Address[1], a.Address[2])
          << "\n";
  ctx.out << "address check byte: " << (a.Valid ? "valid" : "invalid") << "\n";
  if (a.Replaced) ctx.out << "new address: " << QString::asprintf("%06x", a.NewAddress) << "\n";
  return box.Finish(CtlOk);
}

int CmdSwitch(CtlContext& ctx) {
  const QStringList& a = ctx.args;
  if (a.size() < 3 || a.size() > 4)
    return CtlFail(ctx, CtlUsage, QStringLiteral("usage: switch ROOM DEVICE on|off|dim [LEVEL]"));
  int room = 0, device = 0, level = -1;
  if (!ParseIndex(a[0], RoomCount - 1, &room))
    return CtlFail(ctx, CtlUsage, QStringLiteral("ROOM must be 0..%1").arg(RoomCount - 1));
  if (!ParseIndex(a[1], DevicesPerRoom - 1, &device))
    return CtlFail(ctx, CtlUsage, QStringLiteral("DEVICE must be 0..%1").arg(DevicesPerRoom - 1));
  const QString action = a[2];
  if (action != QLatin1String("on") && action != QLatin1String("off") && action != QLatin1String("dim"))
    return CtlFail(ctx, CtlUsage, QStringLiteral("the action must be on, off or dim"));
  if (a.size() == 4) {
    if (action != QLatin1String("dim"))
      return CtlFail(ctx, CtlUsage, QStringLiteral("only dim takes a LEVEL"));
    if (!ParseIndex(a[3], 16, &level) || level < 1)
      return CtlFail(ctx, CtlUsage, QStringLiteral("LEVEL must be 1..16"));
  }
  TLoadSave* ls = TLoadSave::Instance();
  TApparaat& d = ls->Ruimtes[room].Apparaten[device];
  if (ls->Ruimtes[room].IsEmpty() || d.IsEmpty())
    return CtlFail(ctx, CtlUsage, QStringLiteral("room %1 has no device %2").arg(room).arg(device));
  if (!HasSendableCode(d)) return CtlFail(ctx, CtlUsage, QStringLiteral("Device has no code"));
  if (action == QLatin1String("dim") && !d.Dimbaar)
    return CtlFail(ctx, CtlUsage, QStringLiteral("the device cannot be dimmed"));

  BoxSession box(ctx);
  if (const int rc = box.Open()) return rc;
  uint8_t byte = 0;
  if (action == QLatin1String("on")) {
    byte = SwitchOnByte(d);
  } else if (action == QLatin1String("off")) {
    byte = SwitchOffByte(d);
  } else {
    if (level > 0) {
      d.DimNiveau = level;
      const SaveResult saved = ls->Save();
      if (!saved.Ok)
        return box.Finish(
            CtlFail(ctx, CtlFailed, QStringLiteral("cannot save %1: %2").arg(saved.FailedFile, saved.Error)));
    }
    byte = DimValueByte(d);
  }
  SendSwitch(uint8_t(d.Code & 0xFF), byte);
  return Done(ctx, box);
}

int CmdScene(CtlContext& ctx) {
  int n = 0;
  if (ctx.args.size() != 1 || !ParseIndex(ctx.args[0], SceneCount - 1, &n))
    return CtlFail(ctx, CtlUsage, QStringLiteral("usage: scene N (0..%1)").arg(SceneCount - 1));
  TLoadSave::Instance();
  BoxSession box(ctx);
  if (const int rc = box.Open()) return rc;
  TCommunicatie c;
  c.SyncSceneTable();
  CtlWarn(ctx, c.SkippedItems);
  c.ActivateScene(n);
  return Done(ctx, box);
}

int CmdSend(CtlContext& ctx) {
  if (!ctx.args.isEmpty()) return CtlFail(ctx, CtlUsage, QStringLiteral("send takes no arguments"));
  TLoadSave::Instance();
  BoxSession box(ctx);
  if (const int rc = box.Open()) return rc;
  TCommunicatie c;
  c.SyncSceneTable();
  c.SendSunTable();
  c.UploadProgramme();
  CtlWarn(ctx, c.Skipped());
  return Done(ctx, box);
}

int CmdVerify(CtlContext& ctx) {
  if (!ctx.args.isEmpty()) return CtlFail(ctx, CtlUsage, QStringLiteral("verify takes no arguments"));
  TLoadSave::Instance();
  BoxSession box(ctx);
  if (const int rc = box.Open()) return rc;
  const TCommunicatie::BlockCheck b = TCommunicatie().CheckBlocks();
  if (!BoxConnected || box.Timeouts() > 0) return Done(ctx, box);
  QStringList differ;
  if (!b.SceneTableEqual) differ << QStringLiteral("scene table");
  if (!b.SunTableEqual) differ << QStringLiteral("sun table");
  if (!b.ProgrammeEqual) differ << QStringLiteral("programme");
  if (differ.isEmpty()) {
    ctx.out << "equal\n";
    return box.Finish(CtlOk);
  }
  for (const QString& d : differ) ctx.out << "differs: " << d << "\n";
  return box.Finish(CtlFail(
      ctx, CtlFailed,
      QStringLiteral("the box differs from the installation: %1").arg(differ.join(QStringLiteral(", ")))));
}

const CtlCommand kStatus("status", "status", CmdStatus);
const CtlCommand kSwitch("switch", "switch ROOM DEVICE on|off|dim [LEVEL]", CmdSwitch);
const CtlCommand kScene("scene", "scene N", CmdScene);
const CtlCommand kSend("send", "send", CmdSend);
const CtlCommand kVerify("verify", "verify", CmdVerify);

}  // namespace
