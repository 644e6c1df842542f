#include "imaging/spi_errors.h"

namespace murva {

ESPIFOpenErrorSPI::ESPIFOpenErrorSPI(const std::string& file_name)
    : std::runtime_error(file_name + ":Susie Pluginがロードできませんでした") {}

ESPIInvalidAPI::ESPIInvalidAPI(const std::string& entry_point, const std::string& file_name)
    : std::runtime_error(entry_point + "は[" + file_name + "]では使えないSusie Plugin APIです") {}

ESPIDupCreateSPIs::ESPIDupCreateSPIs() : std::runtime_error("TSPIs は複数生成できません") {}

}  // namespace murva
