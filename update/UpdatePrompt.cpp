#include "update/UpdatePrompt.h"

#include "update/UpdateModule.h"

namespace quirel::update {

void ConfigureUpdatePrompt(TAdvTaskDialog& prompt) {
  prompt.Title = L"Aggiornamento Programma";
  prompt.Instruction = L"Abbiamo aggiornato Quirel e reso disponibile l'ultima versione.";
  prompt.CustomButtons = {L"Aggiorna subito (consigliata)", L"Rimanda ad un secondo momento"};
  prompt.DefaultButton = kUpdateNowButton;
  prompt.Icon = TTaskDialogIcon::tiInformation;
  prompt.Options = {TTaskDialogOption::doHyperlinks, TTaskDialogOption::doCommandLinks};
  prompt.AutoClose = true;
  prompt.AutoCloseTimeOut = 0;
  prompt.DialogPosition = TTaskDialogPosition::dpOwnerFormCenter;
  prompt.NonNativeDialog = TNonNativeDialog::nndAuto;
}

// Main thread, while the check's thread waits for it to return.
void TdmUpdate::UpdateCheckDone(TUpdateExeThread&) {
  // Released by the main window while the check ran: the window is closing, offer nothing.
  if (dmUpdate.get() != this) return;
  if (!FExeNewVer || !FInstallerNameValid) return;
  tdAggiornamenti.NonNativeMinFormWidth = 450;
  tdAggiornamenti.ModalParent = frmMain_.Handle();
  if (tdAggiornamenti.Execute() == kUpdateNowButton) DownloadUpdate();
}

}  // namespace quirel::update
