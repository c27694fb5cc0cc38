function f(){
 return
 42;}
function g(){
 return 42
}
String(f())+","+g();
