
function sumOfSquares(list){var total=0;for(var i=0;i<list.length;i++){total+=list[i]*list[i];}
return total;}
var result=sumOfSquares([1,2,3]);if(result>10)
{result=-result;}
result