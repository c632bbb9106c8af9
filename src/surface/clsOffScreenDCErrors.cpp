#include "clsOffScreenDC.h"

#include "ErrorBox.h"
#include "MessageBoxService.h"

void clsOffScreenDC::ReportError(int32_t errNumber, const std::string& errDescription,
                                 const std::string& errLocation) {
    const ErrorBoxText text = MakeErrorBoxText(errNumber, errDescription, errLocation);
    MsgBox(text.Prompt, MsgBoxStyle::Critical, text.Title);
}
