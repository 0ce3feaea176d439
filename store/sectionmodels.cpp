// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/sectionmodels.h"

#include "store/recordlistmodel.h"

DataFileContent contentOf(const SectionModels &models)
{
    DataFileContent content;
    for (size_t i = 0; i < models.size(); ++i)
        content.sections[i] = models[i]->records();
    return content;
}

void fillModels(const SectionModels &models, DataFileContent content)
{
    for (size_t i = 0; i < models.size(); ++i)
        models[i]->setRecords(std::move(content.sections[i]));
}
