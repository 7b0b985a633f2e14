#pragma once

#include "BatchWorkflowBase.h"

#include <vector>

namespace vela {

// A batch of workflows of class W, one per argument, run one after another.
template <class W, class Arg>
class BatchWorkflow : public BatchWorkflowBase
{
public:
    BatchWorkflow(const std::vector<Arg>& arguments, QObject* parent)
        : BatchWorkflowBase(static_cast<int>(arguments.size()), parent)
        , m_arguments(arguments)
    {
    }

protected:
    WorkflowBase* CreateWorkflow(const int& index) override
    {
        if (index < 0 || index >= static_cast<int>(m_arguments.size())) {
            return nullptr;
        }
        return W::Create(m_arguments[static_cast<size_t>(index)], nullptr);
    }

private:
    std::vector<Arg> m_arguments;
};

} // namespace vela
