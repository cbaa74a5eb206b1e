// Everything of the application model in one include.
#pragma once

#include "tarvo/model/app_settings.h"
#include "tarvo/model/call_node.h"
#include "tarvo/model/copy_node.h"
#include "tarvo/model/declarations.h"
#include "tarvo/model/display_node.h"
#include "tarvo/model/doc_context.h"
#include "tarvo/model/exit_node.h"
#include "tarvo/model/input_node.h"
#include "tarvo/model/math_node.h"
#include "tarvo/model/menu_node.h"
#include "tarvo/model/modify_node.h"
#include "tarvo/model/next_error_node.h"
#include "tarvo/model/node_key.h"
#include "tarvo/model/output_node.h"
#include "tarvo/model/verify_node.h"
