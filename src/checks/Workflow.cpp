#include "checks/Workflow.h"

namespace urn {

WorkflowState& Workflow() {
    static WorkflowState state;
    return state;
}

} // namespace urn
