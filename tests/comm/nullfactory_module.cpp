// A link component whose factories fail to create an object.
class CCommObject;
class CCanObject;
extern "C" __attribute__((visibility("default"))) void CreateObject(CCommObject** object) {
    *object = nullptr;
}
extern "C" __attribute__((visibility("default"))) void CreateCanObject(CCanObject** object) {
    *object = nullptr;
}
