// Keeps the library non-empty until its first operation lands.
namespace vexil_operations_detail {
int placeholder() { return 0; }
}
