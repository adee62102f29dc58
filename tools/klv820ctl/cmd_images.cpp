// programme-image and scene-table: the blocks the box would get, built from
// the installation without a box.
#include "Ctl.h"
#include "core/device/Communicatie.h"

namespace {

QString Hex(const uint8_t* data, int size) {
  return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(data), size).toHex());
}

int CmdProgrammeImage(CtlContext& ctx) {
  if (!ctx.args.isEmpty())
    return CtlFail(ctx, CtlUsage, QStringLiteral("programme-image takes no arguments"));
  TCommunicatie c;
  c.BuildProgrammeImage();  // derives the sun fields in memory only; nothing is saved
  CtlWarn(ctx, c.SkippedEntries);
  ctx.out << Hex(c.Image.data(), c.ImageLength()) << "\n";
  return CtlOk;
}

int CmdSceneTable(CtlContext& ctx) {
  if (!ctx.args.isEmpty()) return CtlFail(ctx, CtlUsage, QStringLiteral("scene-table takes no arguments"));
  TCommunicatie c;
  c.BuildSceneTable();
  CtlWarn(ctx, c.SkippedItems);
  ctx.out << Hex(c.SceneTable.data(), TCommunicatie::SceneTableSize) << "\n";
  return CtlOk;
}

const CtlCommand kProgrammeImage("programme-image", "programme-image", CmdProgrammeImage);
const CtlCommand kSceneTable("scene-table", "scene-table", CmdSceneTable);

}  // namespace
