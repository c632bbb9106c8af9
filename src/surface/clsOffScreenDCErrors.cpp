#include "surface/clsOffScreenDC.h"

#include "platform/MessageBoxService.h"
#include "surface/ErrorBox.h"

namespace quillax {

void clsOffScreenDC::ReportError(int32_t errNumber, const std::string& errDescription,
                                 const std::string& errLocation) {
    const ErrorBoxText text = MakeErrorBoxText(errNumber, errDescription, errLocation);
    MsgBox(text.Prompt, MsgBoxStyle::Critical, text.Title);
}

} // namespace quillax
