#include "BoxSession.h"

#include "core/device/MyDevFunctions.h"
#include "core/device/ReportTrace.h"
#include "core/device/SimulatedBox.h"
#include "core/shell/Language.h"

BoxSession::BoxSession(CtlContext& ctx) : ctx_(ctx) {}

BoxSession::~BoxSession() {
  ReleaseBoxLink();
  SetBoxLinkHooks({});
}

int BoxSession::Open(bool requireExpectedFirmware) {
  BoxLinkHooks hooks;
  hooks.ShowMessage = [this](const QString& a, const QString& b) {
    messages_ << a + QStringLiteral(" | ") + b;
  };
  hooks.ArmUpdateTimer = [this] { updateNeeded_ = true; };
  // Always installed: a command must not report success when the box left
  // its requests unanswered.
  hooks.Trace = [this](bool written, const uint8_t* report) {
    if (!report) ++timeouts_;
    if (!ctx_.trace) return;
    ctx_.err << ReportTraceLine(written, report) << "\n";
    ctx_.err.flush();
  };
  SetBoxLinkHooks(hooks);

  if (ctx_.simulate) {
    box_ = std::make_shared<SimulatedBox>();
    QString error;
    if (!ctx_.stateFile.isEmpty() && !box_->LoadState(ctx_.stateFile, &error)) {
      box_.reset();
      return CtlFail(ctx_, CtlUsage, QStringLiteral("bad state file: %1").arg(error));
    }
    if (box_->Mode == SimulatedBox::Firmware::Loader) box_->ProductId = SimulatedBox::LoaderProductId;
    CreateSimulatedBoxLink(box_);
  } else {
    CreateBoxLink();
  }
  open_ = true;

  if (!BoxDevice || LinkState == BoxLinkState::NoPermission || LinkState == BoxLinkState::OpenFailed)
    return CtlFail(ctx_, CtlFailed, Problem());
  if (requireExpectedFirmware && !BoxConnected) return Finish(CtlFail(ctx_, CtlFailed, Problem()));
  return CtlOk;
}

QString BoxSession::Problem() const {
  switch (LinkState) {
    case BoxLinkState::NoBox:
      return GetText(TextId::TheKLV820IsNotConnected, 1);
    case BoxLinkState::NoPermission:
    case BoxLinkState::OpenFailed:
      return BoxLinkProblemText(1);
    case BoxLinkState::UpdateNeeded:
      return QStringLiteral(
                 "the box runs firmware %1 (product id %2), not %3 %4: a firmware update is needed "
                 "(klv820ctl flash)")
          .arg(BoxVersion)
          .arg(BoxDevice ? BoxDevice->ProductId() : 0)
          .arg(ProductName, ExpectedFirmwareVersion);
    case BoxLinkState::Ready:
      return BoxConnected ? QString() : QStringLiteral("the box stopped answering");
  }
  return QString();
}

int BoxSession::Finish(int code) {
  if (box_ && !ctx_.stateFile.isEmpty()) {
    QString error;
    if (!box_->SaveState(ctx_.stateFile, &error)) {
      return CtlFail(ctx_, CtlFailed, QStringLiteral("cannot save the simulated box: %1").arg(error));
    }
  }
  return code;
}
